package com.vantor.hostprobe.tests;

/** Simulated hosts with disks, shared by the disk provider tests (single quotes for double). */
final class DiskHosts {
    private DiskHosts() {}

    static final String GEOMETRY =
        "{'ncyl': 962, 'acyl': 2, 'pcyl': 964, 'nhead': 27, 'nsect': 107, 'rpm': 7200}";

    /** Eight slices: root, swap, backup, usr, one of size 0 and three unassigned. */
    static final String PARTS = "[{'tag': 2, 'flag': 0, 'start': 0, 'size': 2097152},"
        + " {'tag': 3, 'flag': 1, 'start': 2097152, 'size': 4194304},"
        + " {'tag': 5, 'flag': 0, 'start': 0, 'size': 71127180},"
        + " {'tag': 4, 'flag': 16, 'start': 6291456, 'size': 20971520},"
        + " {'tag': 0, 'flag': 0, 'start': 0, 'size': 0},"
        + " {'tag': 65535, 'flag': 32769, 'start': 0, 'size': 1},"
        + " {'tag': 0, 'flag': 0, 'start': 0, 'size': 0}]";

    static final String HOST = "{"
        + "'mnttab': {'entries': ["
        + "  {'special': '/dev/dsk/c0t0d0s0', 'mountp': '/', 'fstype': 'ufs',"
        + "   'statvfs': {'bsize': 8192, 'frsize': 1024, 'blocks': 8000000, 'bfree': 3000000}},"
        + "  {'special': 'nfs1:/export/home', 'mountp': '/home', 'fstype': 'nfs'}]},"
        + "'disks': ["
        + "  {'name': 'c0t0d0', 'node': '/pci@1f,4000/scsi@3/sd@0,0', 'driver': 'sd', 'instance': 0,"
        + "   'geometry': " + GEOMETRY + ","
        + "   'vtoc': {'asciilabel': 'SUN36G cyl 24620 alt 2 hd 27 sec 107', 'parts': " + PARTS + "}},"
        + "  {'name': 'c0t1d0', 'node': '/pci@1f,4000/scsi@3/sd@1,0', 'driver': 'sd', 'instance': 1,"
        + "   'geometry': {'ncyl': 100, 'acyl': 1, 'pcyl': 101, 'nhead': 2, 'nsect': 3},"
        + "   'geometry_fails_rw': true,"
        + "   'vtoc': {'asciilabel': 'NOBLANKLABEL', 'parts': []}},"
        + "  {'name': 'c1t0d0', 'node': '/pci@1f,2000/scsi@1/sd@0,0', 'driver': 'sd', 'instance': 8,"
        + "   'geometry': " + GEOMETRY + "},"
        + "  {'name': 'c1t1d0', 'node': '/pci@1f,2000/scsi@1/sd@1,0', 'driver': 'sd', 'instance': 9,"
        + "   'access': 'ro', 'geometry': " + GEOMETRY + ","
        + "   'vtoc': {'asciilabel': 'READONLY cyl 1', 'parts': " + PARTS + "}},"
        + "  {'name': 'c2t0d0', 'node': '/pci@1d,700000/scsi@2/sd@0,0', 'driver': 'sd', 'instance': 16,"
        + "   'slices': [2], 'geometry': " + GEOMETRY + ","
        + "   'vtoc': {'asciilabel': '" + "L".repeat(128) + "', 'parts': " + PARTS + "}},"
        + "  {'name': 'emcpower0', 'naming': 'letters', 'node': '/pseudo/emcp@0', 'driver': 'emcp',"
        + "   'instance': 0, 'geometry': " + GEOMETRY + ","
        + "   'vtoc': {'asciilabel': 'EMC cyl 1', 'parts': " + PARTS + "}}"
        + "],"
        + "'dev_entries': ["
        + "  {'dir': 'rdsk', 'name': 'c9t9d9s2', 'link': '../../devices/nowhere:c,raw'},"
        + "  {'dir': 'rdsk', 'name': 'ab'},"
        + "  {'dir': 'rdsk', 'name': 'c5t0d0s2', 'link': '../../elsewhere/sd@5,0:c,raw',"
        + "   'node': {'minor': 2, 'disk': 'c0t0d0', 'slice': 2}},"
        + "  {'dir': 'rdsk', 'name': 'c6t0d0s2', 'link': '../../devices/pci@1f,4000/scsi@3/sd@6,0',"
        + "   'node': {'minor': 2, 'disk': 'c0t0d0', 'slice': 2}},"
        + "  {'dir': 'rdsk', 'name': 'c7t0d0s0', 'node': {'minor': 3, 'disk': 'c0t0d0', 'slice': 3}},"
        + "  {'dir': 'rdsk', 'name': 'c8t0d0s0', 'node': {'minor': 9, 'disk': 'c0t0d0', 'slice': 9}}"
        + "]}";
}
