package com.vantor.hostprobe.demo;

import java.io.File;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;

/**
 * The version a library says it is: its what-string "@(#)libNAME VERSION", read from the file
 * System.loadLibrary takes (the first directory of java.library.path that has it), as `what`
 * reads it.
 */
final class LibraryStamp {
    private static final byte[] MARK = "@(#)".getBytes(StandardCharsets.ISO_8859_1);

    private LibraryStamp() {}

    /** "libNAME VERSION", or the library's name and why its version is unknown. */
    static String of(String name) {
        String file = System.mapLibraryName(name);
        for (String dir : System.getProperty("java.library.path", "").split(File.pathSeparator)) {
            Path path = Paths.get(dir.isEmpty() ? "." : dir, file);
            if (!Files.isRegularFile(path)) continue;
            try {
                String stamp = stampIn(Files.readAllBytes(path), "lib" + name + " ");
                return stamp != null ? stamp : file + " (no version mark)";
            } catch (IOException e) {
                return file + " (unreadable: " + e.getMessage() + ")";
            }
        }
        return file + " (not found)";
    }

    /** The text after the first "@(#)" that starts with prefix, up to its terminating zero. */
    private static String stampIn(byte[] bytes, String prefix) {
        byte[] want = prefix.getBytes(StandardCharsets.ISO_8859_1);
        for (int at = 0; at + MARK.length + want.length <= bytes.length; at++) {
            if (!startsWith(bytes, at, MARK) || !startsWith(bytes, at + MARK.length, want)) continue;
            int start = at + MARK.length;
            int end = start;
            while (end < bytes.length && bytes[end] >= 0x20 && bytes[end] < 0x7f) end++;
            return new String(bytes, start, end - start, StandardCharsets.ISO_8859_1);
        }
        return null;
    }

    private static boolean startsWith(byte[] bytes, int at, byte[] prefix) {
        for (int i = 0; i < prefix.length; i++) {
            if (bytes[at + i] != prefix[i]) return false;
        }
        return true;
    }
}
