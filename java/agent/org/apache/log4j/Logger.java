package org.apache.log4j;

/** The part of the log4j logger the agent's classes refer to. */
public class Logger {
    private final String name;

    protected Logger(String name) {
        this.name = name;
    }

    public static Logger getLogger(String name) {
        return new Logger(name);
    }

    public String getName() {
        return name;
    }

    public void info(Object message) {}

    public void warn(Object message) {}
}
