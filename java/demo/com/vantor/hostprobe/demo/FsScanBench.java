package com.vantor.hostprobe.demo;

import com.vantor.kelda.providers.solaris.SolarisFsrmScanJob;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;

/**
 * Times full scans for scripts/bench-fsscan: FsScanBench DIR LOCALDIR RUNS [cold]. Prints one
 * line per run ("scan_seconds=..."), then the final report and the peak resident memory of the
 * process. With "cold" the page cache is dropped before each run (root only).
 */
public final class FsScanBench {
    private FsScanBench() {}

    public static void main(String[] args) throws Exception {
        String directory = args[0];
        System.setProperty("localdir", args[1]);
        int runs = args.length > 2 ? Integer.parseInt(args[2]) : 1;
        boolean cold = args.length > 3 && args[3].equals("cold");
        SolarisFsrmScanJob job = new SolarisFsrmScanJob();
        for (int i = 0; i < runs; i++) {
            if (cold) Files.write(Paths.get("/proc/sys/vm/drop_caches"), "3\n".getBytes());
            long start = System.nanoTime();
            job.startScan(i, directory, null);
            System.out.printf("scan_seconds=%.3f%n", (System.nanoTime() - start) / 1e9);
        }
        String[] last = job.reports().get(job.reports().size() - 1);
        System.out.println("status=" + last[2] + " file=" + last[3] + " message=" + last[4]);
        for (String line : Files.readAllLines(Paths.get("/proc/self/status"))) {
            if (line.startsWith("VmHWM:")) System.out.println("vmhwm_kb=" + line.replaceAll("\\D+", ""));
        }
    }
}
