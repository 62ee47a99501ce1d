#include "kelda/common/hba/HbaCodes.h"

HbaPortConstant portTypeConstant(HBA_PORTTYPE code) {
    switch (code) {
    case 2: return &HbaPortProvider::Static::get_PORT_TYPE_OTHER;
    case 5: return &HbaPortProvider::Static::get_PORT_TYPE_N;
    case 6: return &HbaPortProvider::Static::get_PORT_TYPE_NL;
    case 7: return &HbaPortProvider::Static::get_PORT_TYPE_FL;
    case 8: return &HbaPortProvider::Static::get_PORT_TYPE_F;
    case 9: return &HbaPortProvider::Static::get_PORT_TYPE_E;
    default: return &HbaPortProvider::Static::get_PORT_TYPE_UNKNOWN;  // unknown, not present, G_Port, L_Port, point-to-point
    }
}

HbaPortConstant portStateConstant(HBA_PORTSTATE code) {
    switch (code) {
    case 2: return &HbaPortProvider::Static::get_PORT_STATE_ONLINE;
    case 3: return &HbaPortProvider::Static::get_PORT_STATE_OFFLINE;
    case 4: return &HbaPortProvider::Static::get_PORT_STATE_BYPASSED;
    case 5: return &HbaPortProvider::Static::get_PORT_STATE_DIAGNOSTICS;
    case 6: return &HbaPortProvider::Static::get_PORT_STATE_LINK_DOWN;
    case 7: return &HbaPortProvider::Static::get_PORT_STATE_ERROR;
    case 8: return &HbaPortProvider::Static::get_PORT_STATE_LOOPBACK;
    default: return &HbaPortProvider::Static::get_PORT_STATE_UNKNOWN;
    }
}

HbaPortConstant operationalStatusConstant(HBA_PORTSTATE code) {
    switch (code) {
    case 2: return &HbaPortProvider::Static::get_OPERATIONAL_STATUS_OK;
    case 3:
    case 4:
    case 5:
    case 8: return &HbaPortProvider::Static::get_OPERATIONAL_STATUS_IN_SERVICE;
    case 6:
    case 7: return &HbaPortProvider::Static::get_OPERATIONAL_STATUS_ERROR;
    default: return &HbaPortProvider::Static::get_OPERATIONAL_STATUS_UNKNOWN;
    }
}

HbaPortConstant classOfServiceConstant(unsigned bit) {
    switch (bit) {
    case 0: return &HbaPortProvider::Static::get_SUPPORTED_COS_F;
    case 1: return &HbaPortProvider::Static::get_SUPPORTED_COS_1;
    case 2: return &HbaPortProvider::Static::get_SUPPORTED_COS_2;
    case 3: return &HbaPortProvider::Static::get_SUPPORTED_COS_3;
    case 4: return &HbaPortProvider::Static::get_SUPPORTED_COS_4;
    case 6: return &HbaPortProvider::Static::get_SUPPORTED_COS_6;
    default: return &HbaPortProvider::Static::get_SUPPORTED_COS_UNKNOWN;
    }
}

uint64_t portSpeedBitsPerSecond(HBA_PORTSPEED code) {
    switch (code) {
    case 1: return 1143535043ULL;   // 1 Gbit/s: 1.065 * 2^30
    case 2: return 2287070085ULL;   // 2 Gbit/s: 2.13 * 2^30
    case 4: return 11435350430ULL;  // 10 Gbit/s: ten times the 1 Gbit/s figure
    default: return 0;
    }
}
