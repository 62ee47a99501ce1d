/*
 * Array interrogator: pass-through commands, the LUN scan and the log page 0x3B decoding.
 *
 * Device answers are read only within the bytes a buffer holds: a page or parameter length
 * that points past them reads as zero bytes. Output strings are written only within their
 * buffers: a controller lists at most SCSI_MAX_LISTED_DRIVES drives.
 */
#include "scsi/SolarisScsiInterrogatorC.h"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <memory>
#include <new>
#include <vector>

#include "devices/DeviceDirectory.h"
#include "devices/DeviceNames.h"

#include "sol/dirent.h"
#include "sol/fcntl.h"
#include "sol/ioctl.h"
#include "sol/unistd.h"

/* ------------------------------------------------------------------------------------------ */
/* Pass-through commands                                                                       */

static const unsigned char standardInquiryCdb[6] = {0x12, 0x00, 0x00, 0x00, 0xFF, 0x00};
static const unsigned char inquiryVpd80Cdb[6] = {0x12, 0x01, 0x80, 0x00, 0xFF, 0x00};
static const unsigned char inquiryVpdC0Cdb[6] = {0x12, 0x01, 0xC0, 0x00, 0xFF, 0x00};
static const unsigned char logSense3BCdb[10] = {0x4D, 0x00, 0x7B, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0x00};
static const unsigned char receiveDiagnosticA0Cdb[6] = {0x1C, 0x01, 0xA0, 0xFF, 0xFF, 0x00};
static const unsigned char logSelect30Cdb[10] = {0x4C, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x00};
/* Page 0x30, one parameter (code 0x0001, control 0x60, length 4, value 0x01000000). */
static const unsigned char logSelect30Parameters[12] = {0x30, 0x00, 0x00, 0x08, 0x00, 0x01,
                                                        0x60, 0x04, 0x01, 0x00, 0x00, 0x00};

int scsiIoctl(int fd, struct sol::uscsi_cmd* cmd, int cdbLength, unsigned char* cdb) {
    cmd->uscsi_cdb = (sol::caddr_t)cdb;
    cmd->uscsi_cdblen = (sol::uchar_t)cdbLength;
    return sol::ioctl(fd, SOL(USCSICMD), cmd) == -1 ? 1 : 0;
}

static int sendTemplate(int fd, struct sol::uscsi_cmd* cmd, const unsigned char* cdbTemplate, int length) {
    unsigned char cdb[10];
    memcpy(cdb, cdbTemplate, (size_t)length);
    return scsiIoctl(fd, cmd, length, cdb);
}

int scsiStandardInquiry(int fd, struct sol::uscsi_cmd* cmd) {
    return sendTemplate(fd, cmd, standardInquiryCdb, 6);
}

int scsiInquiryVPD80(int fd, struct sol::uscsi_cmd* cmd) { return sendTemplate(fd, cmd, inquiryVpd80Cdb, 6); }

int scsiInquiryVPDC0(int fd, struct sol::uscsi_cmd* cmd) { return sendTemplate(fd, cmd, inquiryVpdC0Cdb, 6); }

int scsiLogSense3B(int fd, struct sol::uscsi_cmd* cmd) { return sendTemplate(fd, cmd, logSense3BCdb, 10); }

int scsiReceiveDiagnosticA0(int fd, struct sol::uscsi_cmd* cmd) {
    return sendTemplate(fd, cmd, receiveDiagnosticA0Cdb, 6);
}

/* The record is left pointing at this call's locals; the caller restores it afterwards. */
int scsiLogSelect30(int fd, struct sol::uscsi_cmd* cmd) {
    unsigned char cdb[10];
    unsigned char parameters[12];
    memcpy(cdb, logSelect30Cdb, sizeof cdb);
    memcpy(parameters, logSelect30Parameters, sizeof parameters);
    cmd->uscsi_cdb = (sol::caddr_t)cdb;
    cmd->uscsi_cdblen = 10;
    cmd->uscsi_bufaddr = (sol::caddr_t)parameters;
    cmd->uscsi_buflen = 12;
    return scsiIoctl(fd, cmd, 10, cdb);
}

/* ------------------------------------------------------------------------------------------ */
/* Array models                                                                                */

struct ArrayModel {
    const char* vendor;      /* 8 bytes */
    const char* products[15]; /* 16 bytes each, NULL after the last */
};

static const struct ArrayModel arrayModels[] = {
    {"LSI     ", {"INF-01-00       ", NULL}},
    {"SGI     ",
     {"TP9300          ", "TP9300 1G-2C    ", "TP9400          ", "TP9500          ", "TP9500S         ",
      "INF-01-00       ", NULL}},
    {"IBM     ",
     {"1722-600 FAStT  ", "1722-600        ", "1724-100        ", "1724-0100       ", "1724-0100 FAStT ",
      "1742            ", "1742-0900       ", "1742-900        ", NULL}},
    {"STK     ",
     {"OPENstorage 9176", "BladeCtlr BC82  ", "BladeCtlr BC84  ", "BladeCtlr BC88  ", "BladeCtlr B210  ",
      "BladeCtlr B220  ", "BladeCtlr B240  ", "BladeCtlr B280  ", "OPENstorage D173", "OPENstorage D178",
      "OPENstorage D210", "OPENstorage D220", "OPENstorage D240", "OPENstorage D280", NULL}},
};

static const char utmProduct[] = "Universal Xport ";

int filterByIDs(const char* vendor, const char* product) {
    size_t m;
    int p;
    if (vendor == NULL || product == NULL) return 0;
    for (m = 0; m < sizeof arrayModels / sizeof arrayModels[0]; ++m) {
        if (memcmp(vendor, arrayModels[m].vendor, 8) != 0) continue;
        for (p = 0; arrayModels[m].products[p] != NULL; ++p) {
            if (memcmp(product, arrayModels[m].products[p], 16) == 0) return 1;
        }
        if (memcmp(product, utmProduct, 16) == 0) return 2;
        return 0;
    }
    return 0;
}

/* ------------------------------------------------------------------------------------------ */
/* Log page 0x3B                                                                               */

const char paraCode[SCSI_PARA_CODES][40] = {
    "CumulativeTime",
    "SourceDeviceIdentifier",
    "BusyQueueFullCount",
    "SourceErrorsCount",
    "NonSimpleQTagCount",
    "SrcDriverReselectRequestCount",
    "SrcDriverInterruptCount",
    "ErrorCountByInitiator",
    "LogicalUnitDriverVersion",
    "TotalRequestsServiced",
    "TotalBlocksRequested",
    "TotalReadRequests",
    "TotalReadBlocksRequested",
    "TotalWriteRequests",
    "TotalWriteBlocksRequested",
    "QuickCheckCacheHits",
    "QuickCheckCacheHitsBlocks",
    "TotalLargeReads",
    "TotalLargeReadBlocksRequested",
    "TotalLargeWrites",
    "TotalLargeWriteBlocksRequested",
    "TotalStripesRead",
    "TotalClustersRead",
    "TotalStripesWritten",
    "TotalClustersWritten",
    "TotalGroupedWriteOperations",
    "TotalReadsWriteUsingAlg1",
    "TotalReadsWriteUsingAlg2",
    "TotalReadsWriteUsingAlg3",
    "TotalReadsWriteUsingAlg4",
    "TotalReadsWriteUsingAlg5",
    "TotalReadsWriteUsingAlg6",
    "TotalDataRepairOperationsAttempted",
    "TotalDataRepairReconstructsSuccesses",
    "TotalFailedRepairRequests",
    "TotalRPARequests",
    "AverageRPARequestWidth",
    "AverageRPARequestDepth",
    "TotalCacheReadRequests",
    "TotalCacheReadCurrentDataRequests",
    "TotalCacheReadRequestsOldData",
    "TotalCacheReadRequestsCurrentParity",
    "TotalCacheReadRequestsOldParity",
    "TotalDiskReadsFromCache",
    "TotalCacheReadChecks",
    "TotalCacheReadCheckHits",
    "TotalCacheFullSegmentOverwrites",
    "TotalCachePartialSegmentOverwrites",
    "TotalCacheWriteRequests",
    "TotalScsiStructures",
    "TotalScsiStructuresInUse",
    "TotalISRs",
    "TotalInterruptsServicedOnTheFly",
};

/* Parameter codes of the rows, high byte and low byte. */
static const unsigned char paraCodeBytes[SCSI_PARA_CODES][2] = {
    {0x00, 0x30}, {0x81, 0x00}, {0x81, 0x01}, {0x81, 0x02}, {0x81, 0x30}, {0x81, 0x31}, {0x81, 0x32},
    {0x81, 0x60}, {0x82, 0x00}, {0x82, 0x01}, {0x82, 0x02}, {0x82, 0x03}, {0x82, 0x04}, {0x82, 0x05},
    {0x82, 0x06}, {0x82, 0x10}, {0x82, 0x11}, {0x82, 0x20}, {0x82, 0x21}, {0x82, 0x22}, {0x82, 0x23},
    {0x82, 0x30}, {0x82, 0x31}, {0x82, 0x32}, {0x82, 0x33}, {0x82, 0x38}, {0x82, 0x50}, {0x82, 0x51},
    {0x82, 0x52}, {0x82, 0x53}, {0x82, 0x54}, {0x82, 0x55}, {0x82, 0x60}, {0x82, 0x61}, {0x82, 0x62},
    {0x82, 0x80}, {0x82, 0x81}, {0x82, 0x82}, {0x83, 0x00}, {0x83, 0x01}, {0x83, 0x02}, {0x83, 0x03},
    {0x83, 0x04}, {0x83, 0x05}, {0x83, 0x10}, {0x83, 0x11}, {0x83, 0x12}, {0x83, 0x13}, {0x83, 0x14},
    {0x84, 0x04}, {0x84, 0x05}, {0x84, 0x20}, {0x84, 0x21},
};

#define ROW_SOURCE_ID 1
#define ROW_ERRORS_BY_INITIATOR 7
#define ROW_DRIVER_VERSION 8

int enumerateParaCode(const unsigned char* code) {
    int row;
    for (row = 0; row < SCSI_PARA_CODES; ++row) {
        if (code[0] == paraCodeBytes[row][0] && code[1] == paraCodeBytes[row][1]) return row;
    }
    return -1;
}

/* A byte of a device answer; bytes past what the buffer holds read as zero. */
static unsigned int byteAt(const unsigned char* buffer, unsigned int length, unsigned int offset) {
    return offset < length ? buffer[offset] : 0;
}

static unsigned int be16At(const unsigned char* buffer, unsigned int length, unsigned int offset) {
    return (byteAt(buffer, length, offset) << 8) | byteAt(buffer, length, offset + 1);
}

static unsigned int be32At(const unsigned char* buffer, unsigned int length, unsigned int offset) {
    return (byteAt(buffer, length, offset) << 24) | (byteAt(buffer, length, offset + 1) << 16) |
           (byteAt(buffer, length, offset + 2) << 8) | byteAt(buffer, length, offset + 3);
}

/* Appends formatted text to a buffer of `size` bytes, never past its end. */
static void appendf(char* buffer, size_t size, const char* format, ...) __attribute__((format(printf, 3, 4)));
static void appendf(char* buffer, size_t size, const char* format, ...) {
    size_t used = strnlen(buffer, size);
    va_list args;
    if (used + 1 >= size) return;
    va_start(args, format);
    vsnprintf(buffer + used, size - used, format, args);
    va_end(args);
}

void decodeLogPage3B(struct ArrayTables* t, const unsigned char* buffer, unsigned int length) {
    unsigned int pageLength, limit, offset, i;

    memset(t->sourceId, 0, sizeof t->sourceId);
    memset(t->driverVersion, 0, sizeof t->driverVersion);
    memset(t->errorCounts, 0, sizeof t->errorCounts);

    /* The walk stays within the page and within the bytes the buffer holds. */
    pageLength = be16At(buffer, length, 2) + 4;
    limit = pageLength < length ? pageLength : length;
    for (offset = 4; offset < limit; offset += byteAt(buffer, length, offset + 3) + 4) {
        unsigned char code[2];
        unsigned int value = offset + 4;
        int row;
        code[0] = (unsigned char)byteAt(buffer, length, offset);
        code[1] = (unsigned char)byteAt(buffer, length, offset + 1);
        row = enumerateParaCode(code);
        if (row == ROW_SOURCE_ID || row == ROW_DRIVER_VERSION) {
            char* text = row == ROW_SOURCE_ID ? t->sourceId : t->driverVersion;
            for (i = 0; i < 10; ++i) text[i] = (char)byteAt(buffer, length, value + i);
            text[10] = '\0';
        } else if (row == ROW_ERRORS_BY_INITIATOR) {
            for (i = 0; i < 32; ++i) t->errorCounts[i] = be16At(buffer, length, value + 4 * i + 2);
        } else if (row >= 0) {
            t->paraValue[row] = be32At(buffer, length, value);
        } else if (code[0] >= 0xC0 && code[0] <= 0xCF) {
            unsigned int* drive = t->driveStatistics[code[0] & 0x0F][code[1]];
            drive[0] = 1;
            for (i = 0; i < 9; ++i) drive[i + 1] = be32At(buffer, length, value + 4 * i);
        }
    }
}

int formatControllerStrings(const struct ArrayTables* t, unsigned int* driveCount,
                            char* commonString, char* rowString, int* resetRequested) {
    /* Built aside first: the row string is left as it is when no drive is listed. */
    std::vector<char> localCommon(SCSI_COMMON_LENGTH, '\0');
    std::vector<char> localRows(SCSI_ROWS_LENGTH, '\0');
    int blocksSeen = 0, iosSeen = 0;
    unsigned int listed = 0;
    unsigned int channel, id;

    for (channel = 0; channel < 16; ++channel) {
        for (id = 0; id < 256; ++id) {
            const unsigned int* d = t->driveStatistics[channel][id];
            unsigned int tray = t->driveChIdtoTraySlot[channel][id][0];
            unsigned int slot = t->driveChIdtoTraySlot[channel][id][1];
            if (d[0] != 1 || tray == 0xFF || slot == 0xFF) continue;
            if (d[3] != 0) blocksSeen = 1;
            if (d[4] != 0) iosSeen = 1;
            /* The strings hold SCSI_MAX_LISTED_DRIVES drives; any further drive is left out. */
            if (listed == SCSI_MAX_LISTED_DRIVES) continue;
            ++listed;
            appendf(localCommon.data(), localCommon.size(), "%3u%3u", tray, slot);
            appendf(localRows.data(), localRows.size(), "%10u%10u%10u%10u%10u%10u%10u%10u", d[1], d[2], d[3], d[4],
                    d[5], d[6], d[7], d[8]);
        }
    }
    snprintf(commonString, SCSI_COMMON_LENGTH, "%5u", listed);
    *driveCount = 0;
    if (listed > 0) {
        *driveCount = listed;
        appendf(commonString, SCSI_COMMON_LENGTH, "%s", localCommon.data());
        appendf(commonString, SCSI_COMMON_LENGTH, "   80");
        memcpy(rowString, localRows.data(), SCSI_ROWS_LENGTH);
        if (iosSeen && !blocksSeen) *resetRequested = 1;
    }
    return 0;
}

int processLogSense3Bbuffer(struct ArrayTables* t, const unsigned char* buffer, unsigned int length,
                            unsigned int* driveCount, char* commonString, char* rowString, int* resetRequested) {
    decodeLogPage3B(t, buffer, length);
    return formatControllerStrings(t, driveCount, commonString, rowString, resetRequested);
}

/* ------------------------------------------------------------------------------------------ */
/* Report string                                                                               */

static const char zeroRow[] = "         0         0         0         0         0         0         0         0";

static void appendZeroRows(char* result, unsigned int rows) {
    unsigned int i;
    for (i = 0; i < rows; ++i) appendf(result, SCSI_RESULT_LENGTH, "%s", zeroRow);
}

int buildReturnString(char* result, const char* commonString1, const char* commonString2,
                      const char* rowString1, const char* rowString2, unsigned int driveCount1,
                      unsigned int driveCount2) {
    result[0] = '\0';
    if (commonString1[0] != '\0') {
        appendf(result, SCSI_RESULT_LENGTH, "%s", commonString1);
    } else if (commonString2[0] != '\0') {
        appendf(result, SCSI_RESULT_LENGTH, "%s", commonString2);
    } else {
        appendf(result, SCSI_RESULT_LENGTH, "    0");
    }
    if (strcmp(result, "    0") == 0) return 0;

    if (rowString1[0] != '\0') {
        appendf(result, SCSI_RESULT_LENGTH, "%s", rowString1);
    } else {
        appendZeroRows(result, driveCount2);
    }
    if (rowString2[0] != '\0') {
        appendf(result, SCSI_RESULT_LENGTH, "%s", rowString2);
    } else {
        appendZeroRows(result, driveCount1);
    }
    return 0;
}

/* ------------------------------------------------------------------------------------------ */
/* Scan                                                                                        */

void decodeTranslationPage(struct ArrayTables* t, const unsigned char* page, unsigned int length) {
    unsigned int pageLength = be16At(page, length, 2) + 4;
    unsigned int offset;
    memset(t->driveChIdtoTraySlot, 0xFF, sizeof t->driveChIdtoTraySlot);
    /* Entries within the page; an entry not wholly held in the buffer is not read. */
    for (offset = 12; offset < pageLength && offset + 4 <= length; offset += 4) {
        unsigned int e[4];
        for (int i = 0; i < 4; ++i) e[i] = byteAt(page, length, offset + (unsigned)i);
        if ((e[0] & 0xE0) != 0) continue;
        t->driveChIdtoTraySlot[e[0] & 0x1F][e[1]][0] = (unsigned char)e[2];
        t->driveChIdtoTraySlot[e[0] & 0x1F][e[1]][1] = (unsigned char)e[3];
    }
}

namespace {

/*
 * Everything one interrogation works on, with the device descriptor and directory it has
 * open: one per call, so calls on several threads never share a table or a buffer. Large, so
 * it lives on the heap; value-initialised, it starts zeroed.
 */
class ArrayInterrogation {
public:
    void prepare(const char* controllerId1, const char* controllerId2);
    /* The report into `result` (SCSI_RESULT_LENGTH bytes). */
    void run(char* result);

private:
    void prepareIdentifier(int k, const char* id);
    void resetTransfer();
    void scanDevices();
    void readStatistics(int k);

    struct sol::uscsi_cmd cmd;
    struct ArrayTables tables;
    char controllerId[2][SCSI_IDENTIFIER_LENGTH];
    int controllerIdKnown[2];
    char chosenPath[2][SCSI_IDENTIFIER_LENGTH];
    int utmFound[2];
    char devicePath[SCSI_IDENTIFIER_LENGTH];
    char c0Identifier[SCSI_COMPARED_ID_LENGTH];
    unsigned char transfer[SCSI_TRANSFER_LENGTH];
    unsigned int driveCount[2];
    int resetRequested[2];
    char commonString[2][SCSI_COMMON_LENGTH];
    char rowString[2][SCSI_ROWS_LENGTH];
    char result[SCSI_RESULT_LENGTH];
};

void ArrayInterrogation::prepareIdentifier(int k, const char* id) {
    size_t length;
    memset(controllerId[k], 0, SCSI_IDENTIFIER_LENGTH);
    memset(controllerId[k], ' ', SCSI_COMPARED_ID_LENGTH);
    controllerIdKnown[k] = id != NULL;
    if (id == NULL) return;
    /* Identifiers are compared on 16 characters; longer ones are cut to fit the buffer. */
    length = strlen(id);
    if (length > SCSI_IDENTIFIER_LENGTH - 1) length = SCSI_IDENTIFIER_LENGTH - 1;
    memcpy(controllerId[k], id, length);
}

void ArrayInterrogation::resetTransfer() {
    cmd.uscsi_flags = SOL(USCSI_READ);
    cmd.uscsi_bufaddr = (sol::caddr_t)transfer;
    cmd.uscsi_buflen = SCSI_TRANSFER_LENGTH;
}

void ArrayInterrogation::prepare(const char* controllerId1, const char* controllerId2) {
    prepareIdentifier(0, controllerId1);
    prepareIdentifier(1, controllerId2);
    memset(&cmd, 0, sizeof cmd);
    cmd.uscsi_timeout = 30;
    resetTransfer();
}

void ArrayInterrogation::scanDevices() {
    devices::DeviceDirectory dir(devices::kRawDeviceDirectory); /* none: nothing to find */
    const sol::dirent* entry;
    while ((entry = dir.next()) != NULL) {
        int lunIsUtm, k, kind;
        if (!devices::mentionsWholeDiskSlice(entry->d_name)) continue;
        if (snprintf(devicePath, sizeof devicePath, "/dev/rdsk/%s", entry->d_name) >= (int)sizeof devicePath) continue;
        devices::Device device(sol::open(devicePath, SOL(O_RDONLY) | SOL(O_NDELAY)));
        if (!device.valid()) continue;
        memset(transfer, 0, sizeof transfer);
        if (scsiStandardInquiry(device.get(), &cmd) != 0) continue;
        kind = filterByIDs((const char*)transfer + 8, (const char*)transfer + 16);
        if (kind == 0) continue;
        lunIsUtm = kind == 2;
        memset(transfer, 0, sizeof transfer);
        if (scsiInquiryVPDC0(device.get(), &cmd) != 0) continue;
        device.reset();
        memcpy(c0Identifier, transfer + 112, SCSI_COMPARED_ID_LENGTH);

        if (controllerIdKnown[0] && memcmp(c0Identifier, controllerId[0], SCSI_COMPARED_ID_LENGTH) == 0) {
            k = 0;
        } else if (controllerIdKnown[1] && memcmp(c0Identifier, controllerId[1], SCSI_COMPARED_ID_LENGTH) == 0) {
            k = 1;
        } else {
            continue;
        }
        if (chosenPath[k][0] == '\0') {
            memcpy(chosenPath[k], devicePath, SCSI_IDENTIFIER_LENGTH);
            if (lunIsUtm) utmFound[k] = 1;
        } else if (lunIsUtm && !utmFound[k]) {
            utmFound[k] = 1;
            memcpy(chosenPath[k], devicePath, SCSI_IDENTIFIER_LENGTH);
        }
        if (utmFound[0] && utmFound[1]) break; /* the UTM LUN of each controller */
    }
}

void ArrayInterrogation::readStatistics(int k) {
    if (chosenPath[k][0] == '\0') return;
    devices::Device device(sol::open(chosenPath[k], SOL(O_RDONLY) | SOL(O_NDELAY)));
    if (!device.valid()) return;
    memset(transfer, 0, sizeof transfer);
    if (scsiReceiveDiagnosticA0(device.get(), &cmd) != 0) return;
    decodeTranslationPage(&tables, transfer, sizeof transfer);

    memset(transfer, 0, sizeof transfer);
    if (scsiLogSense3B(device.get(), &cmd) != 0) return;
    resetRequested[k] = 0;
    processLogSense3Bbuffer(&tables, transfer, sizeof transfer, &driveCount[k], commonString[k], rowString[k],
                            &resetRequested[k]);
    if (resetRequested[k]) {
        cmd.uscsi_flags = SOL(USCSI_WRITE);
        scsiLogSelect30(device.get(), &cmd); /* a failure is ignored */
        resetTransfer();
    }
}

void ArrayInterrogation::run(char* out) {
    scanDevices();

    readStatistics(0);
    readStatistics(1);

    if (resetRequested[0] || resetRequested[1]) {
        strcpy(result, "   -2");
    } else {
        buildReturnString(result, commonString[0], commonString[1], rowString[0], rowString[1], driveCount[0],
                          driveCount[1]);
    }
    memcpy(out, result, SCSI_RESULT_LENGTH);
}

}  // namespace

int scsiInterrogatorC(char* result, const char* controllerId1, const char* controllerId2) {
    /* Value-initialised: every table, buffer and string starts zeroed. */
    std::unique_ptr<ArrayInterrogation> s(new (std::nothrow) ArrayInterrogation());
    if (!s) {
        strcpy(result, "    0");
        return 0;
    }
    s->prepare(controllerId1, controllerId2);
    s->run(result);
    return 0;
}
