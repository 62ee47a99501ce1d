package com.vantor.log;

/** The agent's logger. */
public class VantorLogger {
    private final String name;

    protected VantorLogger(String name) {
        this.name = name;
    }

    public static VantorLogger getLogger(String name) {
        return new VantorLogger(name);
    }

    public String getName() {
        return name;
    }

    public void info(String message) {}

    public void warn(String message) {}
}
