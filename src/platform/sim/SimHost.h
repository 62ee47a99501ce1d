// The simulated Solaris host: the JSON description named by HOSTPROBE_SIMHOST, loaded with
// nlohmann-json and loaded again whenever the file's inode, size or modification time changes.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <functional>
#include <string>
#include <typeindex>
#include <nlohmann/json.hpp>

namespace sim {

using json = nlohmann::json;

class Host {
public:
    Host(std::string path, json root);

    const std::string& path() const { return path_; }
    const json& root() const { return root_; }

    // The section `name`, or a null value when the description has none.
    const json& section(const char* name) const;

    // Appends one line to the journal file, when the description names one.
    void journal(const std::string& line) const;

    // Counts one more update of the running sums of statistic `key` and returns the count.
    // The count lives as long as this loaded description.
    uint64_t nextUpdate(const std::string& key) const;

    // Data derived from the description (built once per loaded description).
    template <class T>
    std::shared_ptr<const T> derived(const std::function<std::shared_ptr<const T>(const Host&)>& build) const {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            auto it = derived_.find(typeid(T));
            if (it != derived_.end()) return std::static_pointer_cast<const T>(it->second);
        }
        auto value = build(*this);
        std::lock_guard<std::mutex> lock(mutex_);
        derived_[typeid(T)] = value;
        return value;
    }

private:
    std::string path_;
    json root_;
    mutable std::mutex mutex_;
    mutable std::map<std::string, uint64_t> updates_;
    mutable std::map<std::type_index, std::shared_ptr<const void>> derived_;
};

// True when HOSTPROBE_SIMHOST selects the simulated host for this call.
bool active();

// The current description, or null when it is missing or malformed (one line on standard
// error names the file and the problem). Callers then fail as the real call would.
std::shared_ptr<const Host> host();

// Checks a parsed description against the format; throws std::runtime_error naming the
// offending key or value.
void validate(const json& root);

// A byte field: a JSON string, or {"hex": "..."} for exact bytes. Null gives "".
std::string bytes(const json& field);

// A numeric field with a default for null or absent values.
template <class T>
T number(const json& object, const char* key, T fallback = T{}) {
    if (!object.is_object()) return fallback;
    auto it = object.find(key);
    if (it == object.end() || it->is_null()) return fallback;
    return it->get<T>();
}

// A text field (string or hex bytes) with a default for null or absent values.
std::string text(const json& object, const char* key, const std::string& fallback = "");

// True when `list` (an array of strings) holds `name`.
bool listed(const json& list, const char* name);

}  // namespace sim
