package com.vantor.hostprobe.tests;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertSame;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.vantor.kelda.KdInstance;
import com.vantor.kelda.KdNamespace;
import com.vantor.kelda.providers.hba.HbaCache;
import com.vantor.kelda.providers.hba.HbaClassNames;
import com.vantor.kelda.providers.hba.HbaPortProvider;
import java.io.IOException;
import java.math.BigInteger;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Collections;
import java.util.List;
import java.util.stream.Collectors;
import javax.wbem.cim.UnsignedInt16;
import javax.wbem.cim.UnsignedInt32;
import javax.wbem.cim.UnsignedInt64;
import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;

/** fillHbaCache and testHbaLibrary through the HBA API common library and the simulated vendor. */
class HbaCacheTest {
    private static final BigInteger ALL_ONES = BigInteger.ONE.shiftLeft(64).subtract(BigInteger.ONE);

    /** Counts how often the native asks the device-name switches. */
    static class CountingCache extends HbaCache {
        int usingAsked;
        int forceAsked;

        @Override
        public boolean usingLeadvilleHeuristicForTargetMappings() {
            usingAsked++;
            return super.usingLeadvilleHeuristicForTargetMappings();
        }

        @Override
        public boolean forceLeadvilleHeuristicForTargetMappings() {
            forceAsked++;
            return super.forceLeadvilleHeuristicForTargetMappings();
        }
    }

    private final CountingCache cache = new CountingCache();
    private final HbaClassNames classNames = HbaClassNames.get(KdNamespace.DEFAULT);
    private Path journal;

    @BeforeEach
    void journalFile() throws IOException {
        journal = Files.createTempFile("hba-journal", ".txt");
        classNames.setKeepOsDeviceName(false);
        classNames.setSystemName("mercury");
    }

    @AfterEach
    void removeJournal() throws IOException {
        Files.deleteIfExists(journal);
        classNames.setKeepOsDeviceName(false);
    }

    private void useAdapters(String adapters) {
        SimHost.useQuoted("{'journal': '" + journal + "', 'hba': {'adapters': [" + adapters + "]}}");
    }

    private List<String> journal() throws IOException {
        return Files.readAllLines(journal, StandardCharsets.UTF_8);
    }

    private List<String> report() {
        List<String> lines = new ArrayList<>();
        cache.testHbaLibrary(lines);
        return lines;
    }

    private static Object value(KdInstance instance, String property) {
        return instance.get(property);
    }

    private static BigInteger u64(KdInstance instance, String property) {
        return ((UnsignedInt64) instance.get(property)).bigIntegerValue();
    }

    private static long u32(KdInstance instance, String property) {
        return ((UnsignedInt32) instance.get(property)).longValue();
    }

    // A dual-port adapter: port 0 sees one target with two LUNs, port 1 sees the same target
    // and a second one without mappings.
    private static String fabricAdapter(String name, String wwnTail) {
        return "{'name': '" + name + "', 'attributes': {'Manufacturer': 'QLogic Corp.', 'SerialNumber': 'S0" + wwnTail
            + "', 'Model': 'QLA2342', 'ModelDescription': 'dual port', 'NodeWWN': '200000e08b0102" + wwnTail + "',"
            + " 'DriverName': 'qlc', 'VendorSpecificID': 4294967295},"
            + " 'ports': [" + port("210000e08b0102" + wwnTail, 1) + ", " + port("210100e08b0102" + wwnTail, 2) + "],"
            + " 'mapping': {'entries': ["
            + "  {'ScsiTargetNumber': 5, 'ScsiOSLun': 3, 'OSDeviceName': '/dev/rdsk/c4t50060E8004277F11d3s2',"
            + "   'FcId': 10, 'NodeWWN': '50060e8004277f10', 'PortWWN': '50060e8004277f11', 'FcpLun': '0003000000000000'},"
            + "  {'ScsiBusNumber': 2, 'ScsiTargetNumber': 5, 'ScsiOSLun': 4, 'OSDeviceName': '/dev/rdsk/c2t5d4s2',"
            + "   'FcId': 10, 'NodeWWN': '50060e8004277f10', 'PortWWN': '50060e8004277f11', 'FcpLun': '4005000000000000'},"
            + "  {'ScsiTargetNumber': 1, 'ScsiOSLun': 0, 'OSDeviceName': '/dev/rdsk/c9t1d0s2',"
            + "   'PortWWN': 'ffffffffffffffff', 'FcpLun': '8000000000000000'}]}}";
    }

    private static String port(String wwn, int speed) {
        return "{'attributes': {'NodeWWN': '200000e08b010203', 'PortWWN': '" + wwn + "', 'PortFcId': 66048,"
            + " 'PortType': 5, 'PortState': 2, 'PortSupportedClassofService': 12, 'PortSymbolicName': 'qlc port',"
            + " 'OSDeviceName': '/devices/pci@1f,4000/SUNW,qlc@2/fp@0,0:devctl', 'PortSupportedSpeed': 2,"
            + " 'PortSpeed': " + speed + ", 'PortMaxFrameSize': 2048, 'FabricName': '100000051e000001'},"
            + " 'statistics': {'TxFrames': 7, 'RxFrames': 8, 'InvalidCRCCount': 9},"
            + " 'discovered': [{'attributes': {'NodeWWN': '50060e8004277f10', 'PortWWN': '50060e8004277f11',"
            + "   'PortFcId': 10, 'PortType': 8, 'PortState': 6, 'PortSupportedClassofService': 33}},"
            + "  {'attributes': {'PortWWN': '50060e8004277f22'}}]}";
    }

    @Test
    void noAdaptersGiveAnEmptyTreeAndAnEmptyReport() throws IOException {
        useAdapters("");
        HbaCache.Hba[] tree = cache.fillHbaCache(classNames);
        assertNotNull(tree);
        assertEquals(0, tree.length);
        assertEquals(Collections.emptyList(), report());
        // The library is loaded and freed once per call.
        assertEquals(Arrays.asList("HBA_LoadLibrary", "HBA_FreeLibrary", "HBA_LoadLibrary", "HBA_FreeLibrary"), journal());
    }

    @Test
    void openRetriesOnceAndFailedAdaptersStayNull() throws IOException {
        useAdapters("{'name': 'qlc0', 'open_failures': 1, 'attributes': {'NodeWWN': '2000000000000001'}},"
            + "{'name': 'qlc1', 'open_failures': 1000},"
            + "{'name': 'qlc2', 'name_status': 12},"
            + "{'name': 'qlc3', 'attributes_status': 3}");
        HbaCache.Hba[] tree = cache.fillHbaCache(classNames);
        assertEquals(4, tree.length);
        assertNotNull(tree[0]);
        assertEquals("2000000000000001:0", value(tree[0].instance, "deviceID"));
        assertEquals(0, tree[0].ports.length);
        assertNull(tree[1]);
        assertNull(tree[2]);
        assertNull(tree[3]);
        assertEquals(Arrays.asList("HBA_LoadLibrary", "HBA_OpenAdapter qlc0 fail", "HBA_OpenAdapter qlc0 ok",
            "HBA_RefreshInformation qlc0", "HBA_GetFcpTargetMapping qlc0 512 0", "HBA_CloseAdapter qlc0",
            "HBA_OpenAdapter qlc1 fail", "HBA_OpenAdapter qlc1 fail",
            "HBA_OpenAdapter qlc3 ok", "HBA_RefreshInformation qlc3", "HBA_CloseAdapter qlc3",
            "HBA_FreeLibrary"), journal());

        assertEquals(Arrays.asList(
            "HBA 0 name(qlc0) NWWN=2000000000000001",
            "  manufacturer() serial() model() descr()",
            "Unable to open HBA adapter 1 (qlc1) -- status is 0 (OK) (check ownership)",
            "Unable to open HBA adapter 2 () -- status is 12 (HBA has been removed or deactivated) (check ownership)",
            "HBA_GetAdapterAttributes call returned 3 (Invalid handle) for adapter 3 (qlc3)"), report());
    }

    @Test
    void refreshIsSkippedOnlyForTheQlcPrefix() throws IOException {
        useAdapters("{'name': 'SUNW-qlc-2200'}, {'name': 'SUNW-qlc'}, {'name': 'emlxs0'}");
        cache.fillHbaCache(classNames);
        List<String> refreshed = journal().stream().filter(l -> l.startsWith("HBA_RefreshInformation"))
            .collect(Collectors.toList());
        assertEquals(Arrays.asList("HBA_RefreshInformation SUNW-qlc", "HBA_RefreshInformation emlxs0"), refreshed);

        List<String> lines = report();
        assertEquals("  manufacturer() serial() model() descr()", lines.get(1));
        assertEquals("  (HBA_RefreshInformation not called.)", lines.get(2));
        assertEquals(1, lines.stream().filter(l -> l.contains("not called")).count());
        assertEquals(7, lines.size());
    }

    @Test
    void adapterTreeCarriesPortsStatisticsDiscoveredPortsAndMappings() {
        // Adapter index 2, behind two adapters that cannot be opened.
        useAdapters("{'name': 'x0', 'open_failures': 9}, {'name': 'x1', 'open_failures': 9},"
            + fabricAdapter("qlc2", "03"));
        HbaCache.Hba[] tree = cache.fillHbaCache(classNames);
        assertEquals(3, tree.length);
        HbaCache.Hba hba = tree[2];
        KdInstance adapter = hba.instance;
        assertEquals("Solaris_HostBusAdapter", adapter.getKdClass().getName());
        assertEquals("200000e08b010203:2", value(adapter, "deviceID"));
        assertEquals("Adapter 2", value(adapter, "caption"));
        assertSame(value(adapter, "caption"), value(adapter, "description"));
        assertSame(value(adapter, "caption"), value(adapter, "elementName"));
        assertEquals("200000e08b010203", value(adapter, "name"));
        assertEquals("Solaris_HostBusAdapter", value(adapter, "creationClassName"));
        assertEquals("mercury", value(adapter, "systemName"));
        assertEquals("Solaris_ComputerSystem", value(adapter, "systemCreationClassName"));
        assertEquals("QLogic Corp.", value(adapter, "manufacturer"));
        assertEquals("S003", value(adapter, "serialNumber"));
        assertEquals("qlc", value(adapter, "driverName"));
        assertEquals("", value(adapter, "firmwareVersion"));
        assertEquals(4294967295L, u32(adapter, "vendorSpecificID"));

        assertEquals(2, hba.ports.length);
        HbaCache.HbaPort port1 = hba.ports[1];
        KdInstance port = port1.instance;
        assertEquals("Solaris_HbaPort", value(port, "creationClassName"));
        assertEquals("Adapter 2 Port 1", value(port, "caption"));
        assertSame(value(port, "caption"), value(port, "elementName"));
        assertEquals(new UnsignedInt16(1), value(port, "portNumber"));
        assertEquals("210100e08b010203", value(port, "permanentAddress"));
        assertEquals("210100e08b010203", value(port, "deviceID"));
        assertEquals("100000051e000001", value(port, "fabricName"));
        assertEquals(66048L, u32(port, "portFcId"));
        assertSame(HbaPortProvider.PORT_TYPE_N, value(port, "portType"));
        assertSame(HbaPortProvider.PORT_STATE_ONLINE, value(port, "portState"));
        assertArrayEquals(new Object[] {HbaPortProvider.OPERATIONAL_STATUS_OK}, (Object[]) value(port, "operationalStatus"));
        assertArrayEquals(new Object[] {HbaPortProvider.SUPPORTED_COS_2, HbaPortProvider.SUPPORTED_COS_3},
            (Object[]) value(port, "supportedCOS"));
        assertEquals(UnsignedInt16[].class, value(port, "supportedCOS").getClass());
        assertEquals(BigInteger.valueOf(2287070085L), u64(port, "maxSpeed"));
        assertEquals(BigInteger.valueOf(2287070085L), u64(port, "speed"));
        assertEquals(BigInteger.valueOf(1143535043L), u64(hba.ports[0].instance, "speed"));
        assertEquals(BigInteger.valueOf(2048), u64(port, "supportedMaximumTransmissionUnit"));
        assertEquals("qlc port", value(port, "name"));
        assertEquals("/devices/pci@1f,4000/SUNW,qlc@2/fp@0,0:devctl", value(port, "osDeviceName"));

        KdInstance stats = port1.statistics;
        assertEquals("210100e08b010203", value(stats, "elementName"));
        assertEquals("210100e08b010203", value(stats, "instanceID"));
        assertEquals(BigInteger.valueOf(7), u64(stats, "packetsTransmitted"));
        assertEquals(BigInteger.valueOf(8), u64(stats, "packetsReceived"));
        assertEquals(BigInteger.valueOf(9), u64(stats, "crcErrors"));
        assertEquals(BigInteger.ZERO, u64(stats, "lipCount"));

        // Discovered ports: the target carries both of its mappings, the other none.
        assertEquals(2, port1.discoveredPorts.length);
        HbaCache.HbaDiscoveredPort target = port1.discoveredPorts[0];
        KdInstance disco = target.instance;
        assertEquals("Solaris_HbaDiscoveredPort", value(disco, "creationClassName"));
        assertEquals("Solaris_HbaDiscoveredPort", disco.getKdClass().getName());
        assertNull(value(disco, "caption"));
        assertNull(value(disco, "portNumber"));
        assertSame(HbaPortProvider.PORT_TYPE_F, value(disco, "portType"));
        assertSame(HbaPortProvider.PORT_STATE_LINK_DOWN, value(disco, "portState"));
        assertArrayEquals(new Object[] {HbaPortProvider.OPERATIONAL_STATUS_ERROR}, (Object[]) value(disco, "operationalStatus"));
        assertArrayEquals(new Object[] {HbaPortProvider.SUPPORTED_COS_F, HbaPortProvider.SUPPORTED_COS_UNKNOWN},
            (Object[]) value(disco, "supportedCOS"));
        assertEquals(BigInteger.ZERO, u64(disco, "speed"));
        assertEquals(0, port1.discoveredPorts[1].targetMappings.length);
        assertEquals(KdInstance[].class, port1.discoveredPorts[1].targetMappings.getClass());

        assertEquals(2, target.targetMappings.length);
        KdInstance lun3 = target.targetMappings[0];
        assertSame(port, value(lun3, "antecedent"));
        assertSame(disco, value(lun3, "dependent"));
        assertEquals(0L, u32(lun3, "scsiBus"));
        assertEquals(5L, u32(lun3, "targetId"));
        assertEquals(3L, u32(lun3, "scsiLun"));
        assertEquals("c0t5d3", value(lun3, "osDeviceName"));
        assertEquals(BigInteger.valueOf(3), u64(lun3, "exportedLUN"));
        assertEquals("50060e8004277f11", value(lun3, "discoveredPortWWN"));
        KdInstance lun4 = target.targetMappings[1];
        assertEquals("c2t5d4", value(lun4, "osDeviceName"));
        assertEquals(BigInteger.valueOf(64 * 256 + 5), u64(lun4, "exportedLUN"));

        // Port 0 names the same target: its mappings are built again under that port.
        KdInstance viaPort0 = hba.ports[0].discoveredPorts[0].targetMappings[0];
        assertSame(hba.ports[0].instance, value(viaPort0, "antecedent"));
        assertEquals(BigInteger.valueOf(3), u64(viaPort0, "exportedLUN"));
    }

    @Test
    void failingStatisticsLeaveNullAndUnsupportedCountersAreAllOnes() {
        useAdapters("{'name': 'a', 'ports': ["
            + "{'statistics_status': 2, 'attributes': {'PortWWN': '2100000000000001'},"
            + "  'discovered': [{'attributes': {'PortWWN': '5000000000000001'}}]},"
            + "{'attributes': {'PortWWN': '2100000000000002'}, 'statistics': {'TxFrames': -1, 'RxFrames': -1,"
            + "  'LIPCount': -1, 'NOSCount': -1, 'ErrorFrames': -1, 'DumpedFrames': -1, 'LinkFailureCount': -1,"
            + "  'LossOfSyncCount': -1, 'LossOfSignalCount': -1, 'PrimitiveSeqProtocolErrCount': -1,"
            + "  'InvalidTxWordCount': -1, 'InvalidCRCCount': -1}}]}");
        HbaCache.Hba hba = cache.fillHbaCache(classNames)[0];
        assertNull(hba.ports[0].statistics);
        assertEquals(1, hba.ports[0].discoveredPorts.length);
        assertEquals("5000000000000001", value(hba.ports[0].discoveredPorts[0].instance, "deviceID"));

        KdInstance stats = hba.ports[1].statistics;
        for (String counter : new String[] {"packetsTransmitted", "packetsReceived", "lipCount", "nosCount",
                 "errorFrames", "dumpedFrames", "linkFailures", "lossOfSyncCounter", "lossOfSignalCounter",
                 "primitiveSeqProtocolErrCount", "invalidTransmissionWords", "crcErrors"}) {
            assertEquals(ALL_ONES, u64(stats, counter), counter);
            assertEquals(1, ((UnsignedInt64) stats.get(counter)).signum(), counter);
        }
    }

    @Test
    void countsBeyondWhatTheLibraryAnswersLeaveNullElements() {
        useAdapters("{'name': 'a', 'attributes': {'NumberOfPorts': 3}, 'ports': ["
            + "{'attributes': {'NumberofDiscoveredPorts': 2}, 'discovered': [{'attributes': {}}]},"
            + "{'status': 1}]}");
        HbaCache.Hba hba = cache.fillHbaCache(classNames)[0];
        assertEquals(3, hba.ports.length);
        assertNotNull(hba.ports[0]);
        assertNull(hba.ports[1]);
        assertNull(hba.ports[2]);
        assertEquals(2, hba.ports[0].discoveredPorts.length);
        assertNotNull(hba.ports[0].discoveredPorts[0]);
        assertNull(hba.ports[0].discoveredPorts[1]);

        assertEquals(Arrays.asList("HBA 0 name(a) NWWN=0000000000000000", "  manufacturer() serial() model() descr()",
            "  Port index 0 NWWN=0000000000000000", "    PWWN=0000000000000000 FcId=0x0",
            "    Discovered port 0 NWWN=0000000000000000", "      PWWN=0000000000000000 FcId=0x0",
            "HBA_GetDiscoveredPortAttributes call returned 6 (Illegal index) for adapter 0 (a)",
            "HBA_GetAdapterPortAttributes call returned 1 (Error) for adapter 0 (a)",
            "HBA_GetAdapterPortAttributes call returned 6 (Illegal index) for adapter 0 (a)"), report());
    }

    private static String manyMappings(int count, String mappingExtra) {
        StringBuilder entries = new StringBuilder();
        for (int i = 0; i < count; i++) {
            if (i > 0) entries.append(", ");
            entries.append("{'ScsiTargetNumber': 1, 'ScsiOSLun': ").append(i)
                .append(", 'PortWWN': '5000000000000001', 'FcpLun': '0001000000000000'}");
        }
        return "{'name': 'big', 'ports': [{'attributes': {'PortWWN': '2100000000000001'},"
            + " 'discovered': [{'attributes': {'PortWWN': '5000000000000001'}}]}],"
            + " 'mapping': {" + mappingExtra + "'entries': [" + entries + "]}}";
    }

    @Test
    void largeMappingTablesAreFetchedOnceMoreWithRoomForAll() throws IOException {
        useAdapters(manyMappings(600, ""));
        KdInstance[] mappings = cache.fillHbaCache(classNames)[0].ports[0].discoveredPorts[0].targetMappings;
        assertEquals(600, mappings.length);
        assertEquals(599L, u32(mappings[599], "scsiLun"));
        assertEquals("c0t1d599", value(mappings[599], "osDeviceName"));
        assertEquals(Arrays.asList("HBA_GetFcpTargetMapping big 512 7", "HBA_GetFcpTargetMapping big 600 0"),
            journal().stream().filter(l -> l.startsWith("HBA_GetFcpTargetMapping")).collect(Collectors.toList()));
        List<String> lines = report();
        assertEquals(2 + 2 + 2 + 1200, lines.size());
        assertEquals("  SCSI c0t1d599 OsDeviceName() NWWN=0000000000000000", lines.get(lines.size() - 2));
    }

    @Test
    void aFailedMappingFetchLeavesPortsWithEmptyMappings() throws IOException {
        for (String retry : new String[] {"7", "1"}) {
            Files.write(journal, new byte[0]);
            useAdapters(manyMappings(600, "'retry_status': " + retry + ", "));
            HbaCache.HbaPort port = cache.fillHbaCache(classNames)[0].ports[0];
            assertNotNull(port.statistics);
            assertEquals(0, port.discoveredPorts[0].targetMappings.length);
            assertEquals(Arrays.asList("HBA_GetFcpTargetMapping big 512 7", "HBA_GetFcpTargetMapping big 600 " + retry),
                journal().stream().filter(l -> l.startsWith("HBA_GetFcpTargetMapping")).collect(Collectors.toList()));
            List<String> lines = report();
            assertEquals("HBA_GetFcpTargetMapping call returned " + retry + " ("
                + ("7".equals(retry) ? "More data available" : "Error") + ") for adapter 0 (big)", lines.get(lines.size() - 1));
            assertEquals(7, lines.size());
            assertEquals("      PWWN=5000000000000001 FcId=0x0", lines.get(5));
        }
    }

    @Test
    void deviceNameSwitchesAreAskedInOrder() {
        useAdapters("{'name': 'a', 'ports': [{'attributes': {'PortWWN': '2100000000000001'},"
            + " 'discovered': [{'attributes': {'PortWWN': '5000000000000001'}}]}],"
            + " 'mapping': {'entries': ["
            + "  {'ScsiTargetNumber': 1, 'OSDeviceName': '/dev/rdsk/c2t1d0s2', 'PortWWN': '5000000000000001'},"
            + "  {'ScsiTargetNumber': 2, 'OSDeviceName': '/dev/rdsk/c2t2d0s0', 'PortWWN': '5000000000000001'},"
            + "  {'ScsiTargetNumber': 3, 'OSDeviceName': '/devices/pci@1f/ssd@w1,0:c,raw', 'PortWWN': '5000000000000001'},"
            + "  {'ScsiTargetNumber': 4, 'OSDeviceName': 'c7t4d0s2', 'PortWWN': '5000000000000001'}]}}");

        // A bare c<bus>t... name gives its bus; /dev/rdsk/ names are not parsed.
        assertEquals(Arrays.asList("c0t1d0", "c0t2d0", "c0t3d0", "c7t4d0"), names());
        assertEquals(4, cache.usingAsked);
        assertEquals(4, cache.forceAsked);

        cache.setUsingLeadvilleHeuristicForTargetMappings(true);
        cache.usingAsked = cache.forceAsked = 0;
        assertEquals(Arrays.asList("c2t1d0", "c2t2d0s0", "c0t3d0", "c7t4d0"), names());
        assertEquals(4, cache.usingAsked);
        assertEquals(2, cache.forceAsked);  // not for the two /dev/rdsk/ names

        cache.setForceLeadvilleHeuristicForTargetMappings(true);
        assertEquals(Arrays.asList("c2t1d0", "c2t2d0s0", "ssd@w1,0:c,raw", "c7t4d0"), names());

        classNames.setKeepOsDeviceName(true);
        cache.usingAsked = cache.forceAsked = 0;
        assertEquals(Arrays.asList("/dev/rdsk/c2t1d0s2", "/dev/rdsk/c2t2d0s0", "/devices/pci@1f/ssd@w1,0:c,raw",
            "c7t4d0s2"), names());
        assertEquals(0, cache.usingAsked + cache.forceAsked);
    }

    private List<String> names() {
        KdInstance[] mappings = cache.fillHbaCache(classNames)[0].ports[0].discoveredPorts[0].targetMappings;
        return Arrays.stream(mappings).map(m -> (String) m.get("osDeviceName")).collect(Collectors.toList());
    }

    @Test
    void busIsDivinedFromTheDeviceLinkOfAPhysicalPath() {
        SimHost.useQuoted("{'disks': [{'name': 'c6t0d0', 'node': '/pci@1f/fp@0,0/ssd@w50060e8004277f11,0',"
            + " 'driver': 'ssd', 'instance': 0}], 'hba': {'adapters': [{'name': 'a', 'ports': [{"
            + " 'attributes': {'PortWWN': '2100000000000001'}, 'discovered': [{'attributes': {'PortWWN': '5000000000000001'}}]}],"
            + " 'mapping': {'entries': [{'ScsiTargetNumber': 1, 'ScsiOSLun': 2, 'PortWWN': '5000000000000001',"
            + "  'OSDeviceName': '/devices/pci@1f/fp@0,0/ssd@w50060e8004277f11,0'}]}}]}}");
        KdInstance mapping = cache.fillHbaCache(classNames)[0].ports[0].discoveredPorts[0].targetMappings[0];
        assertEquals(6L, u32(mapping, "scsiBus"));
        assertEquals("c6t1d2", mapping.get("osDeviceName"));
        // The report shows the library's own bus.
        assertTrue(report().contains("  SCSI c0t1d2 OsDeviceName(/devices/pci@1f/fp@0,0/ssd@w50060e8004277f11,0) NWWN=0000000000000000"));
    }

    @Test
    void reportLinesShowRawLibraryValues() {
        useAdapters(fabricAdapter("SUNW-qlc-2342", "03"));
        List<String> lines = report();
        assertEquals(Arrays.asList(
            "HBA 0 name(SUNW-qlc-2342) NWWN=200000e08b010203",
            "  manufacturer(QLogic Corp.) serial(S003) model(QLA2342) descr(dual port)",
            "  (HBA_RefreshInformation not called.)",
            "  Port index 0 NWWN=200000e08b010203",
            "    PWWN=210000e08b010203 FcId=0x10200",
            "    Discovered port 0 NWWN=50060e8004277f10",
            "      PWWN=50060e8004277f11 FcId=0xa",
            "    Discovered port 1 NWWN=0000000000000000",
            "      PWWN=50060e8004277f22 FcId=0x0",
            "  Port index 1 NWWN=200000e08b010203",
            "    PWWN=210100e08b010203 FcId=0x10200",
            "    Discovered port 0 NWWN=50060e8004277f10",
            "      PWWN=50060e8004277f11 FcId=0xa",
            "    Discovered port 1 NWWN=0000000000000000",
            "      PWWN=50060e8004277f22 FcId=0x0",
            "  SCSI c0t5d3 OsDeviceName(/dev/rdsk/c4t50060E8004277F11d3s2) NWWN=50060e8004277f10",
            "    PWWN=50060e8004277f11 FcId=0xa Lun=0x0003000000000000",
            "  SCSI c2t5d4 OsDeviceName(/dev/rdsk/c2t5d4s2) NWWN=50060e8004277f10",
            "    PWWN=50060e8004277f11 FcId=0xa Lun=0x4005000000000000",
            "  SCSI c0t1d0 OsDeviceName(/dev/rdsk/c9t1d0s2) NWWN=0000000000000000",
            "    PWWN=ffffffffffffffff FcId=0x0 Lun=0x8000000000000000"), lines);
    }

    @Test
    void unterminatedAndNonAsciiTextsAreCleanedAndBounded() {
        String full = "{'hex': '" + "41".repeat(256) + "'}";
        useAdapters("{'name': {'hex': '71" + "01e9ff" + "6c63'},"
            + " 'attributes': {'Manufacturer': {'hex': '" + "4d".repeat(64) + "'}, 'Model': {'hex': '787909e97a'},"
            + "  'DriverName': " + full + "},"
            + " 'ports': [{'attributes': {'PortWWN': '2100000000000001', 'PortSymbolicName': " + full + ","
            + "  'OSDeviceName': " + full + "}, 'discovered': [{'attributes': {'PortWWN': '5000000000000001'}}]}],"
            + " 'mapping': {'entries': [{'ScsiTargetNumber': 1, 'OSDeviceName': " + full + ","
            + "  'PortWWN': '5000000000000001'}, {'ScsiTargetNumber': 2, 'OSDeviceName': " + full + ","
            + "  'PortWWN': '5000000000000001'}]}}");
        HbaCache.Hba hba = cache.fillHbaCache(classNames)[0];
        assertEquals("M".repeat(63), value(hba.instance, "manufacturer"));
        assertEquals("xyz", value(hba.instance, "model"));
        assertEquals("A".repeat(255), value(hba.instance, "driverName"));
        KdInstance port = hba.ports[0].instance;
        assertEquals("A".repeat(255), value(port, "name"));
        assertEquals("A".repeat(255), value(port, "osDeviceName"));

        classNames.setKeepOsDeviceName(true);
        KdInstance[] kept = cache.fillHbaCache(classNames)[0].ports[0].discoveredPorts[0].targetMappings;
        assertEquals("A".repeat(255), value(kept[0], "osDeviceName"));
        classNames.setKeepOsDeviceName(false);
        cache.setForceLeadvilleHeuristicForTargetMappings(true);
        KdInstance[] forced = cache.fillHbaCache(classNames)[0].ports[0].discoveredPorts[0].targetMappings;
        assertEquals("A".repeat(255), value(forced[1], "osDeviceName"));

        // The name keeps its bytes in the report: Latin-1 where they are not UTF-8.
        List<String> lines = report();
        assertEquals("HBA 0 name(q\u0001\u00e9\u00ffl" + "c) NWWN=0000000000000000", lines.get(0));
        assertEquals("  manufacturer(" + "M".repeat(63) + ") serial() model(xyz) descr()", lines.get(1));
        assertEquals("  SCSI c0t1d0 OsDeviceName(" + "A".repeat(255) + ") NWWN=0000000000000000", lines.get(6));
    }
}
