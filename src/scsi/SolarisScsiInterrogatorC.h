/*
 * Array interrogator: SCSI pass-through commands to the LUNs of a dual-controller RAID array,
 * the scan that chooses one LUN per controller, and the decoding of the controllers' statistics
 * log page 0x3B into the fixed-width report string.
 *
 * The pass-through functions return 0 for success and 1 for failure; every other function
 * states what it returns.
 */
#ifndef SOLARIS_SCSI_INTERROGATOR_C_H
#define SOLARIS_SCSI_INTERROGATOR_C_H

#include "sol/uscsi.h"

/* Sizes of the buffers of one interrogation. */
#define SCSI_TRANSFER_LENGTH 65535 /* data-in buffer of every command */
#define SCSI_IDENTIFIER_LENGTH 256 /* controller identifiers and device paths */
#define SCSI_COMPARED_ID_LENGTH 16 /* characters of an identifier that are compared */
#define SCSI_MAX_LISTED_DRIVES 448 /* drives per controller that the strings below hold */
#define SCSI_COMMON_LENGTH 2699    /* "%5u" + 448 x "%3u%3u" + "   80" + NUL */
#define SCSI_ROW_WIDTH 80          /* characters of one drive row */
#define SCSI_ROWS_LENGTH 35841     /* 448 rows + NUL */
#define SCSI_RESULT_LENGTH 74379   /* the joined result of both controllers + NUL */
#define SCSI_PARA_CODES 53         /* rows of paraCode */

extern const char paraCode[SCSI_PARA_CODES][40]; /* statistic names by row */

/*
 * What the decoders of one interrogation fill and read. Every interrogation has its own; the
 * drive counters are cleared once per interrogation, so a second controller's page is decoded
 * on top of the first's.
 */
struct ArrayTables {
    unsigned char driveChIdtoTraySlot[256][256][2]; /* [channel][id] = {tray, slot}, 0xFF none */
    unsigned int driveStatistics[16][256][10];      /* [channel][id] = valid + nine counters */
    unsigned int paraValue[100];                    /* last value of each paraCode row */
    char sourceId[11];                              /* texts and counts of the last page */
    char driverVersion[11];
    unsigned int errorCounts[32];
};

/* Pass-through. */
int scsiIoctl(int fd, struct sol::uscsi_cmd* cmd, int cdbLength, unsigned char* cdb);
int scsiStandardInquiry(int fd, struct sol::uscsi_cmd* cmd);
int scsiInquiryVPD80(int fd, struct sol::uscsi_cmd* cmd);
int scsiInquiryVPDC0(int fd, struct sol::uscsi_cmd* cmd);
int scsiLogSense3B(int fd, struct sol::uscsi_cmd* cmd);
int scsiReceiveDiagnosticA0(int fd, struct sol::uscsi_cmd* cmd);
int scsiLogSelect30(int fd, struct sol::uscsi_cmd* cmd);

/* 1 for a data LUN of a known array model, 2 for its UTM LUN, 0 otherwise. */
int filterByIDs(const char* vendor, const char* product);

/* The paraCode row of a 2-byte parameter code, or -1. */
int enumerateParaCode(const unsigned char* code);

/*
 * Fills the drive map of `tables` from an enclosure translation page (RECEIVE DIAGNOSTIC
 * RESULTS page 0xA0) of which `length` bytes are held in `page`.
 */
void decodeTranslationPage(struct ArrayTables* tables, const unsigned char* page, unsigned int length);

/*
 * Decodes one log page 0x3B, of which `length` bytes are held in `buffer`, into the controller
 * values and drive counters of `tables`.
 */
void decodeLogPage3B(struct ArrayTables* tables, const unsigned char* buffer, unsigned int length);

/*
 * The controller's part of the report from `tables`: its drive count, common string
 * (SCSI_COMMON_LENGTH bytes), row string (SCSI_ROWS_LENGTH bytes, left as it is when no drive
 * is listed) and reset-requested flag (set, never cleared). Returns 0.
 */
int formatControllerStrings(const struct ArrayTables* tables, unsigned int* driveCount, char* commonString,
                            char* rowString, int* resetRequested);

/* decodeLogPage3B, then formatControllerStrings. Returns 0. */
int processLogSense3Bbuffer(struct ArrayTables* tables, const unsigned char* buffer, unsigned int length,
                            unsigned int* driveCount, char* commonString, char* rowString, int* resetRequested);

/* Joins both controllers' strings into `result` (SCSI_RESULT_LENGTH bytes). Returns 0. */
int buildReturnString(char* result, const char* commonString1, const char* commonString2,
                      const char* rowString1, const char* rowString2, unsigned int driveCount1,
                      unsigned int driveCount2);

/*
 * The interrogation: `result` (SCSI_RESULT_LENGTH bytes) receives "    0", "   -2" or the
 * statistics string. A null identifier matches no LUN. Returns 0. Everything it works on
 * belongs to the call, so calls on several threads are independent; an exception from the
 * platform layer passes through with the call's memory, descriptor and directory released.
 */
int scsiInterrogatorC(char* result, const char* controllerId1, const char* controllerId2);

#endif
