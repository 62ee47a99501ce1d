package com.vantor.hostprobe.tests;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.Collections;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.concurrent.Callable;
import java.util.concurrent.CyclicBarrier;
import java.util.concurrent.atomic.AtomicInteger;
import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.Test;

/** Every native called from eight threads at once answers exactly as it does alone. */
class ConcurrencyTest {
    private static final int THREADS = 8;
    private static final int ROUNDS = 18;

    @AfterEach
    void tearDown() {
        System.clearProperty("localdir");
        SimHost.use("{}");
    }

    private static Map<String, String> answers(Map<String, Callable<Object>> calls) {
        Map<String, String> answers = new LinkedHashMap<>();
        for (Map.Entry<String, Callable<Object>> call : calls.entrySet()) {
            answers.put(call.getKey(), NativeCalls.answer(call.getValue()));
        }
        return answers;
    }

    @Test
    void everyNativeFromEightThreadsAnswersAsItDoesAlone() throws Exception {
        SimHost.use(NativeCalls.demoHost());
        Path work = Files.createTempDirectory("concurrency");
        System.setProperty("localdir", Files.createDirectory(work.resolve("db")).toString());
        NativeCalls shared = new NativeCalls();

        // Per thread: every native (each thread scans a tree of its own) and its answer alone.
        Map<String, Callable<Object>> hostprobe = shared.hostprobe();
        Map<String, String> hostprobeAnswers = answers(hostprobe);
        List<Map<String, Callable<Object>>> calls = new ArrayList<>();
        List<Map<String, String>> expected = new ArrayList<>();
        for (int t = 0; t < THREADS; t++) {
            Path root = work.resolve("tree" + t);
            NativeCalls.buildTree(root);
            Map<String, Callable<Object>> scans = NativeCalls.fsscan(t, root);
            // Every test scan creates the one <localdir>/TEMP.db: two at once race on that file
            // (as two agents' would), so one thread makes them, beside everything else.
            if (t > 0) scans.remove("startTestScan");
            Map<String, Callable<Object>> mine = new LinkedHashMap<>(hostprobe);
            mine.putAll(scans);
            calls.add(mine);
            Map<String, String> answers = new LinkedHashMap<>(hostprobeAnswers);
            answers.putAll(answers(scans));
            expected.add(answers);
        }
        Map<String, String> first = expected.get(0);
        assertTrue(first.get("scsiInterrogate").length() > 100, first.get("scsiInterrogate"));
        assertEquals("true", first.get("authenticate right"));
        assertEquals("false", first.get("authenticate wrong"));
        assertTrue(first.get("fillHbaCache").contains("HbaPort"), first.get("fillHbaCache"));
        assertTrue(first.get("startScan").contains("f3<>30<>"), first.get("startScan"));
        for (Map.Entry<String, String> answer : first.entrySet()) {
            assertFalse(answer.getValue().startsWith("threw "), answer.getKey() + ": " + answer.getValue());
        }

        List<String> wrong = Collections.synchronizedList(new ArrayList<>());
        AtomicInteger made = new AtomicInteger();
        CyclicBarrier start = new CyclicBarrier(THREADS);
        List<Thread> threads = new ArrayList<>();
        for (int t = 0; t < THREADS; t++) {
            final int thread = t;
            threads.add(new Thread(() -> {
                List<Map.Entry<String, Callable<Object>>> mine = new ArrayList<>(calls.get(thread).entrySet());
                try {
                    start.await();
                } catch (Exception e) {
                    wrong.add("thread " + thread + " could not start: " + e);
                    return;
                }
                for (int round = 0; round < ROUNDS; round++) {
                    // Each thread goes through the natives from another starting point.
                    for (int i = 0; i < mine.size(); i++) {
                        Map.Entry<String, Callable<Object>> call = mine.get((i + thread * 3 + round) % mine.size());
                        // It waits a second between its samples: once per thread is enough.
                        if (round > 0 && call.getKey().equals("getOperatingSystem")) continue;
                        String answer = NativeCalls.answer(call.getValue());
                        made.incrementAndGet();
                        String want = expected.get(thread).get(call.getKey());
                        if (!answer.equals(want)) {
                            wrong.add("thread " + thread + " " + call.getKey() + ": " + answer + "\n  alone: " + want);
                        }
                    }
                }
            }));
        }
        for (Thread thread : threads) thread.start();
        for (Thread thread : threads) thread.join();
        assertTrue(wrong.isEmpty(), wrong.size() + " answers differ, the first: " + (wrong.isEmpty() ? "" : wrong.get(0)));
        assertTrue(made.get() >= 3000, made.get() + " calls");
    }
}
