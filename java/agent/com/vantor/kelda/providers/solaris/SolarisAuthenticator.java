package com.vantor.kelda.providers.solaris;

/** Checks user names and passwords against the host's shadow password database. */
public class SolarisAuthenticator {
    static {
        System.loadLibrary("hostprobe");
    }

    /** True when the password is accepted for the user. */
    public native boolean authenticate(String user, String password);

    /** The date the native library was built, for example "Jun 28 2005". */
    public native String getLibraryBuildDate();
}
