package com.vantor.hostprobe.demo;

import com.vantor.kelda.providers.solaris.SolarisScsiInterrogator;

/** The per-drive statistics of the host's RAID array, decoded from the interrogation string. */
final class ArrayStatisticsReport {
    /** Controller identifiers of the bundled host's array (VPD page 0xC0). */
    static final String CONTROLLER_1 = "SX40702301000001";
    static final String CONTROLLER_2 = "SX40702301000002";

    private static final String[] COUNTERS = {
        "reads", "writes", "blocks", "I/Os", "recov", "unrec", "timeouts", "retries"};
    private static final int FIELD = 10;

    private ArrayStatisticsReport() {}

    static void print() {
        System.out.println();
        System.out.println("== RAID array drive statistics (controllers " + CONTROLLER_1 + ", " + CONTROLLER_2 + ")");
        String answer = new SolarisScsiInterrogator().scsiInterrogate(CONTROLLER_1, CONTROLLER_2);
        if (answer == null || answer.equals("    0")) {
            System.out.println("  (no statistics: no LUN of the array answered)");
            return;
        }
        if (answer.equals("   -2")) {
            System.out.println("  (the controllers' statistics were reset; read them again later)");
            return;
        }
        try {
            printTable(answer);
        } catch (RuntimeException e) {
            System.out.println("  (unreadable answer, " + answer.length() + " characters: " + e + ")");
        }
    }

    private static int number(String text, int from, int width) {
        return Integer.parseInt(text.substring(from, from + width).trim());
    }

    private static void printTable(String answer) {
        int drives = number(answer, 0, 5);
        int rowsAt = 5 + drives * 6 + 5;
        int width = number(answer, rowsAt - 5, 5);
        StringBuilder header = new StringBuilder(String.format("  %-4s %-4s %-4s", "ctl", "tray", "slot"));
        for (String name : COUNTERS) header.append(String.format(" %9s", name));
        System.out.println(header);
        for (int controller = 0; controller < 2; controller++) {
            for (int d = 0; d < drives; d++) {
                int tray = number(answer, 5 + d * 6, 3);
                int slot = number(answer, 8 + d * 6, 3);
                int row = rowsAt + (controller * drives + d) * width;
                StringBuilder line = new StringBuilder(String.format("  %-4d %-4d %-4d", controller + 1, tray, slot));
                for (int f = 0; f < COUNTERS.length; f++) {
                    line.append(String.format(" %9s", Long.parseLong(answer.substring(row + f * FIELD, row + (f + 1) * FIELD).trim())));
                }
                System.out.println(line);
            }
        }
    }
}
