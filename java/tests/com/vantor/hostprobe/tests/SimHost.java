package com.vantor.hostprobe.tests;

import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.StandardCopyOption;

/**
 * The simulated host of the test run: the file named by HOSTPROBE_SIMHOST, which the tests
 * replace (write, then rename over it) so that the next native call reads the new description.
 */
public final class SimHost {
    private static int generation;

    private SimHost() {}

    public static Path path() {
        String env = System.getenv("HOSTPROBE_SIMHOST");
        if (env == null) throw new IllegalStateException("HOSTPROBE_SIMHOST is not set (run through scripts/run-java-tests)");
        return Paths.get(env);
    }

    /** Makes `json` the description of the simulated host. */
    public static synchronized void use(String json) {
        try {
            Path target = path();
            Path next = target.resolveSibling("next-" + (++generation) + ".json");
            Files.write(next, json.getBytes(StandardCharsets.UTF_8));
            Files.move(next, target, StandardCopyOption.REPLACE_EXISTING, StandardCopyOption.ATOMIC_MOVE);
        } catch (IOException e) {
            throw new IllegalStateException(e);
        }
    }

    /** JSON written with single quotes for readability: 'a' becomes "a". */
    public static void useQuoted(String json) {
        use(json.replace('\'', '"'));
    }
}
