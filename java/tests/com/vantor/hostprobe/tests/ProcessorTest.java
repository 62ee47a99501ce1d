package com.vantor.hostprobe.tests;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertThrows;

import com.vantor.kelda.providers.solaris.SolarisNativeMethod;
import com.vantor.kelda.providers.solaris.processor.SolarisCpuUtilizationInformationProvider.SolarisCpuUtilizationData;
import com.vantor.kelda.providers.solaris.processor.SolarisProcessorProvider.SolarisProcessorData;
import java.util.List;
import java.util.stream.Collectors;
import java.util.stream.IntStream;
import org.junit.jupiter.api.Test;

class ProcessorTest {
    private final SolarisNativeMethod natives = new SolarisNativeMethod();

    private static final String PROCESSORS = "'processors': ["
        + "{'id': 0, 'type': 'sparcv9', 'state': 'online', 'clock': 1281},"
        + "{'id': 1, 'type': 'sparcv9', 'state': 'online', 'clock': 1281},"
        + "{'id': 4, 'type': 'sparcv9', 'state': 'no-intr', 'clock': 1593},"
        + "{'id': 5, 'type': 'sparcv9', 'state': 'faulted', 'clock': 1593}]";

    private static String cpuStat(int id, String counters) {
        return "{'module': 'cpu_stat', 'instance': " + id + ", 'name': 'cpu_stat" + id + "', 'class': 'misc',"
            + " 'type': 'raw', 'cpu': " + counters + "}";
    }

    private List<SolarisProcessorData> processors() {
        return natives.enumerateProcessors().stream().map(o -> (SolarisProcessorData) o).collect(Collectors.toList());
    }

    private List<SolarisCpuUtilizationData> ticks() {
        return natives.enumerateCpuUtilizationInfo().stream()
            .map(o -> (SolarisCpuUtilizationData) o).collect(Collectors.toList());
    }

    @Test
    void processorsWithGapsComeInIdOrderAndOnlyOnlineIsOnline() {
        SimHost.useQuoted("{'sysconf': {'nprocessors_conf': 4, 'cpuid_max': 511}, " + PROCESSORS + "}");
        List<SolarisProcessorData> list = processors();
        assertEquals(List.of(0, 1, 4, 5), list.stream().map(p -> p.id).collect(Collectors.toList()));
        assertEquals(List.of("online", "online", "offline", "offline"),
                     list.stream().map(p -> p.status).collect(Collectors.toList()));
        SolarisProcessorData four = natives.getProcessor(4);
        assertEquals("sparcv9", four.type);
        assertEquals("offline", four.status);
        assertEquals(1593, four.clockMHz);
        for (int id : new int[] {2, -1, 6, Integer.MAX_VALUE, Integer.MIN_VALUE}) {
            RuntimeException e = assertThrows(RuntimeException.class, () -> natives.getProcessor(id));
            assertEquals("Processor not found: " + id, e.getMessage());
        }
    }

    @Test
    void atMost128ProcessorsAreReportedAndProbingStopsAtTheHighestId() {
        String many = IntStream.range(0, 200)
            .mapToObj(i -> "{'id': " + i + ", 'type': 'sparcv9', 'state': 'online', 'clock': 1000}")
            .collect(Collectors.joining(","));
        SimHost.useQuoted("{'sysconf': {'nprocessors_conf': 200, 'cpuid_max': 511}, 'processors': [" + many + "]}");
        List<SolarisProcessorData> list = processors();
        assertEquals(128, list.size());
        assertEquals(127, list.get(127).id);

        // Fewer processors answer than are configured: the probe ends at the highest id.
        SimHost.useQuoted("{'sysconf': {'nprocessors_conf': 8, 'cpuid_max': 7}, " + PROCESSORS + "}");
        assertEquals(4, processors().size());
        SimHost.useQuoted("{" + PROCESSORS + "}");
        assertEquals(0, processors().size());
    }

    @Test
    void tickCountersComePerCpuStatStatisticAndWrapIntoSignedInts() {
        SimHost.useQuoted("{'kstat': {'chain': ["
            + cpuStat(0, "{'idle': 81234, 'user': 2147483648, 'kernel': 5000, 'wait': 12}") + ","
            + "{'module': 'unix', 'instance': 0, 'name': 'vminfo', 'class': 'vm', 'vminfo': {'freemem': 1}},"
            + cpuStat(1, "{'idle': 1, 'user': 2, 'kernel': 3, 'wait': 4}") + ","
            + cpuStat(4, "{'idle': 4294967295, 'user': 2147483647}") + ","
            + "{'module': 'cpu_stat', 'instance': 5, 'name': 'cpu_stat5', 'class': 'misc', 'cpu': {'idle': 9},"
            + " 'read_fails': true}]}}");
        List<SolarisCpuUtilizationData> list = ticks();
        assertEquals(List.of(0, 1, 4), list.stream().map(t -> t.id).collect(Collectors.toList()));
        SolarisCpuUtilizationData zero = list.get(0);
        assertEquals(-2147483648L, zero.user);
        assertEquals(5000, zero.kernel);
        assertEquals(12, zero.wait);
        assertEquals(81234, zero.idle);
        assertEquals(-1, list.get(2).idle);
        assertEquals(2147483647L, list.get(2).user);

        SolarisCpuUtilizationData one = natives.getCpuUtilizationInfo(1);
        assertEquals(List.of(1, 2L, 3L, 4L, 1L), List.of(one.id, one.user, one.kernel, one.wait, one.idle));

        assertEquals("No cpu_stat statistic for processor 2",
                     assertThrows(RuntimeException.class, () -> natives.getCpuUtilizationInfo(2)).getMessage());
        assertEquals("No cpu_stat statistic for processor -1",
                     assertThrows(RuntimeException.class, () -> natives.getCpuUtilizationInfo(-1)).getMessage());
        assertEquals("Unable to read the cpu_stat statistic of processor 5",
                     assertThrows(RuntimeException.class, () -> natives.getCpuUtilizationInfo(5)).getMessage());
    }

    @Test
    void kernelStatisticsThatDoNotOpenRaiseTheMessage() {
        SimHost.useQuoted("{'kstat': {'open_fails': true}}");
        assertEquals("kstat open failed.",
                     assertThrows(RuntimeException.class, () -> natives.enumerateCpuUtilizationInfo()).getMessage());
        assertEquals("kstat open failed.",
                     assertThrows(RuntimeException.class, () -> natives.getCpuUtilizationInfo(0)).getMessage());
        // A statistic too short to hold the counters is not read past its end.
        SimHost.useQuoted("{'kstat': {'chain': [{'module': 'cpu_stat', 'instance': 0, 'name': 'cpu_stat0',"
            + " 'class': 'misc', 'io': {'nread': 1}}]}}");
        assertEquals(0, ticks().size());
        assertThrows(RuntimeException.class, () -> natives.getCpuUtilizationInfo(0));
    }
}
