#!/usr/bin/env python3
"""The program carries its manifest where the platform looks for it before it
starts the program: resource type 24 (RT_MANIFEST), id 1, one language. It is
well-formed XML that asks to run as invoker, without UI access; lists Windows
Vista, 7, 8, 8.1 and 10/11 as supported; and declares no DPI awareness.

    check-manifest.py PROGRAM.exe
"""
import struct
import sys
import xml.etree.ElementTree as ElementTree

RT_MANIFEST = 24
CREATEPROCESS_MANIFEST_RESOURCE_ID = 1
ASSEMBLY = "{urn:schemas-microsoft-com:asm.v1}"
COMPATIBILITY = "{urn:schemas-microsoft-com:compatibility.v1}"
SUPPORTED_OS = {
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}": "Vista",
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "10 and 11",
}


class Fault(Exception):
    pass


def resource_data(image, type_id, name_id):
    """The bytes of each language of one resource, from the PE file's resource
    directory."""
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    if image[pe:pe + 4] != b"PE\0\0":
        raise Fault("not a PE file")
    sections, optional_size = struct.unpack_from("<H12xH", image, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", image, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    resources_rva = struct.unpack_from("<I", image, directories + 2 * 8)[0]
    if resources_rva == 0:
        raise Fault("no resources")

    def offset(rva):
        for i in range(sections):
            size, address, raw_size, raw = struct.unpack_from(
                "<IIII", image, optional + optional_size + 40 * i + 8)
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        raise Fault(f"address {rva:#x} lies in no section")

    root = offset(resources_rva)

    def entries(directory):
        named, numbered = struct.unpack_from("<HH", image, root + directory + 12)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", image, root + directory + 16 + 8 * i)
            yield name, target

    def subdirectory(directory, wanted):
        for name, target in entries(directory):
            if name == wanted and target & 0x80000000:
                return target & 0x7FFFFFFF
        raise Fault(f"no resource {wanted} at this level")

    names = subdirectory(0, type_id)
    languages = subdirectory(names, name_id)
    found = []
    for _, target in entries(languages):
        rva, size = struct.unpack_from("<II", image, root + target)
        start = offset(rva)
        found.append(image[start:start + size])
    return found


def local_name(element):
    return element.tag.rsplit("}", 1)[-1]


def check(manifest):
    root = ElementTree.fromstring(manifest)
    faults = []
    if root.tag != ASSEMBLY + "assembly" or root.get("manifestVersion") != "1.0":
        faults.append(f"the root is {root.tag} version {root.get('manifestVersion')}")
    levels = [e for e in root.iter() if local_name(e) == "requestedExecutionLevel"]
    if [(e.get("level"), e.get("uiAccess")) for e in levels] != [("asInvoker", "false")]:
        faults.append("requested execution levels: "
                      + str([(e.get("level"), e.get("uiAccess")) for e in levels]))
    ids = [e.get("Id") for e in root.iter(COMPATIBILITY + "supportedOS")]
    if sorted(ids) != sorted(SUPPORTED_OS):
        faults.append(f"supported systems: {ids}")
    dpi = [local_name(e) for e in root.iter() if local_name(e).lower().startswith("dpiaware")]
    if dpi:
        faults.append(f"declares DPI awareness: {dpi}")
    return faults


def main():
    program = sys.argv[1]
    with open(program, "rb") as file:
        image = file.read()
    try:
        manifests = resource_data(image, RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID)
    except Fault as fault:
        print(f"check-manifest: {program}: no manifest (type 24, id 1): {fault}", file=sys.stderr)
        return 1
    if len(manifests) != 1:
        print(f"check-manifest: {program}: {len(manifests)} manifests, one per language",
              file=sys.stderr)
        return 1
    try:
        faults = check(manifests[0])
    except ElementTree.ParseError as error:
        faults = [f"not well-formed XML: {error}"]
    print(f"manifest of {len(manifests[0])} bytes: {manifests[0].decode('utf-8', 'replace')}")
    for fault in faults:
        print(f"check-manifest: {program}: {fault}", file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
