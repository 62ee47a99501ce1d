package com.vantor.hostprobe.tests;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.vantor.kelda.providers.solaris.SolarisAuthenticator;
import org.junit.jupiter.api.Test;

class AuthenticatorTest {
    private final SolarisAuthenticator auth = new SolarisAuthenticator();

    // "secret12" hashed with the traditional DES scheme (salt "ab") and "hunter2" with SHA-512.
    private static final String DES = "abhv/ZnAzL36k";
    private static final String SHA512 = "$6$saltsaltsalt$/YcSJBZ1GwOaYU2XCNxvWBX3MbYsX7qkf0.0L28t35vap3Pr7yS0JA8iUjaUrIKpD1"
        + "vbB841OQkrlcX47Jjuy/";

    private static final String SHADOW = "{'shadow': {'entries': ["
        + "{'name': 'alice', 'passwd': '" + DES + "'},"
        + "{'name': 'carol', 'passwd': '" + SHA512 + "'},"
        + "{'name': 'dora\ud83d\ude00', 'passwd': '" + DES + "'},"
        + "{'name': 'nopw', 'passwd': ''},"
        + "{'name': 'weird', 'passwd': 'x'},"
        + "{'name': 'locked', 'passwd': '*LK*'},"
        + "{'name': 'lockedhash', 'passwd': '*LK*" + DES + "'},"
        + "{'name': 'absent', 'passwd': null},"
        + "{'name': 'huge', 'passwd': '" + "z".repeat(5000) + "'}"
        + "], 'lookup_errno': 2}}";

    /** Asserts the answer to each user and password pair. */
    private void assertAnswer(boolean accepted, String... usersAndPasswords) {
        for (int i = 0; i < usersAndPasswords.length; i += 2) {
            String user = usersAndPasswords[i];
            assertEquals(accepted, auth.authenticate(user, usersAndPasswords[i + 1]), user);
        }
    }

    @Test
    void desAndSha512AccountsAcceptOnlyTheirPasswords() {
        SimHost.useQuoted(SHADOW);
        assertTrue(auth.authenticate("alice", "secret12"));
        assertTrue(auth.authenticate("alice", "secret12-and-more"));  // DES looks at eight characters
        assertFalse(auth.authenticate("alice", "secreT12"));
        assertFalse(auth.authenticate("Alice", "secret12"));
        // A stored hash longer than 100 bytes, in another scheme than DES.
        assertTrue(auth.authenticate("carol", "hunter2"));
        assertFalse(auth.authenticate("carol", "hunter3"));
        // Names and passwords are looked up decoded (a character beyond the basic plane in four
        // bytes), and a NUL does not cut them short.
        assertTrue(auth.authenticate("dora\ud83d\ude00", "secret12"));
        assertFalse(auth.authenticate("carol", "hunter2\u0000"));
        assertFalse(auth.authenticate("alice\u0000", "secret12"));
    }

    @Test
    void emptyAndAbsentFieldsAcceptAnyPassword() {
        SimHost.useQuoted(SHADOW);
        assertAnswer(true, "nopw", "", "nopw", "anything", "absent", "anything");
    }

    @Test
    void shortLockedHugeAndMissingEntriesAreRefused() {
        SimHost.useQuoted(SHADOW);
        assertAnswer(false, "weird", "x", "locked", "*LK*", "lockedhash", "secret12", "huge", "z".repeat(5000),
                     "mallory", "secret12", "", "", "u".repeat(100000), "p".repeat(100000),
                     "al\u0000ice\ud83d\ude00", "secret12");
        SimHost.useQuoted("{}");
        assertFalse(auth.authenticate("alice", "secret12"));
    }

    @Test
    void nullArgumentsRaiseNullPointerException() {
        SimHost.useQuoted(SHADOW);
        assertThrows(NullPointerException.class, () -> auth.authenticate(null, "secret12"));
        assertThrows(NullPointerException.class, () -> auth.authenticate("alice", null));
        // The password is not needed for an empty field.
        assertTrue(auth.authenticate("nopw", null));
    }

    @Test
    void buildDateIsStable() {
        assertEquals(auth.getLibraryBuildDate(), auth.getLibraryBuildDate());
    }
}
