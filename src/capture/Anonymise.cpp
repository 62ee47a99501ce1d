#include "capture/Anonymise.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>

namespace capture {

namespace {

std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

// A byte field's bytes (string or {"hex"}), and the field again from bytes.
bool fieldBytes(const json& field, std::string& out) {
    if (field.is_string()) {
        out = field.get<std::string>();
        return true;
    }
    if (field.is_object() && field.contains("hex") && field["hex"].is_string()) {
        const std::string& hex = field["hex"].get_ref<const std::string&>();
        out.clear();
        for (size_t i = 0; i + 1 < hex.size(); i += 2) out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
        return true;
    }
    return false;
}

class Anonymiser {
public:
    void names(json& node) {
        if (node.is_object()) {
            for (auto& [key, value] : node.items()) {
                if (key == "hostname" || key == "nodename" || key == "host") hostName(value);
                else if (key == "serial" || key == "vpd_c0_id" || key == "SerialNumber") serial(value);
                else if (key == "NodeWWN" || key == "PortWWN" || key == "FabricName") wwn(value);
                else names(value);
            }
        } else if (node.is_array()) {
            for (json& item : node) names(item);
        }
    }

    // Every text again: host names at its start, world-wide names anywhere inside.
    void texts(json& node) {
        if (node.is_object()) {
            for (auto& item : node.items()) texts(item.value());
        } else if (node.is_array()) {
            for (json& item : node) texts(item);
        } else if (node.is_string()) {
            std::string s = node.get<std::string>();
            for (const auto& [original, replacement] : hosts_) {
                for (char separator : {':', '.'}) {
                    std::string prefix = original + separator;
                    if (s.compare(0, prefix.size(), prefix) == 0) s = replacement + s.substr(original.size());
                }
            }
            for (const auto& [original, replacement] : wwns_) {
                for (const auto& [from, to] : {std::pair(original, replacement), std::pair(upper(original), upper(replacement))}) {
                    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size())) {
                        s.replace(at, from.size(), to);
                    }
                }
            }
            node = s;
        }
    }

private:
    void hostName(json& value) {
        std::string name;
        if (!fieldBytes(value, name) || name.empty()) return;
        auto it = hosts_.find(name);
        if (it == hosts_.end()) it = hosts_.emplace(name, "host" + std::to_string(hosts_.size() + 1)).first;
        value = it->second;
    }

    void serial(json& value) {
        std::string text;
        if (!fieldBytes(value, text) || text.find_first_not_of(" ") == std::string::npos) return;
        auto it = serials_.find(text);
        if (it == serials_.end()) {
            std::string counter = std::to_string(serials_.size() + 1);
            size_t width = text.size() > counter.size() + 2 ? text.size() - 2 : counter.size();
            it = serials_.emplace(text, "SN" + std::string(width - counter.size(), '0') + counter).first;
        }
        value = it->second;
    }

    void wwn(json& value) {
        if (!value.is_string()) return;
        std::string original = value.get<std::string>();
        std::transform(original.begin(), original.end(), original.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (original == std::string(16, '0')) return;
        auto it = wwns_.find(original);
        if (it == wwns_.end()) {
            char replacement[17];
            std::snprintf(replacement, sizeof replacement, "2000%012zx", wwns_.size() + 1);
            it = wwns_.emplace(original, replacement).first;
        }
        value = it->second;
    }

    std::map<std::string, std::string> hosts_, serials_, wwns_;
};

}  // namespace

json anonymised(const json& description) {
    json out = description;
    Anonymiser rule;
    rule.names(out);
    rule.texts(out);
    if (out.is_object() && (!out.contains("capture") || out["capture"].is_object())) {
        out["capture"]["anonymised"] = "host names, serial numbers and world-wide names replaced";
    }
    return out;
}

}  // namespace capture
