"""Calls libCorvel through ctypes, knowing only the exported names."""
import ctypes
import sys

lib = ctypes.CDLL(sys.argv[1])

lrc = lib.LIB_MakeLRC
lrc.argtypes = [ctypes.c_char_p, ctypes.c_int]
assert lrc(bytes([0x01, 0x48, 0x01, 0x17, 0x49]), 5) == 0x49
assert lrc(bytes([0x01, 0x48, 0x01, 0x17, 0x49]), 3) == 0

buffer = ctypes.create_string_buffer(b"#" * 6)
lib.LIB_stci_hn.argtypes = [ctypes.c_char_p, ctypes.c_int, ctypes.c_int]
assert lib.LIB_stci_hn(buffer, 255, 4) == 4
assert buffer.raw[:6] == b"00FF##", buffer.raw
lib.LIB_icst_hn.argtypes = [ctypes.c_char_p, ctypes.c_int]
assert lib.LIB_icst_hn(b"00FF", 4) == 255

is_serial = getattr(lib, "_Z12LIB_IsSerialh")
is_serial.argtypes = [ctypes.c_ubyte]
assert [is_serial(b) for b in (0, 1, 4, 5)] == [0, 1, 1, 0]

record = (ctypes.c_ubyte * 224)()
record[2] = 5
lib.LIB_COMMOpen.restype = ctypes.c_short
assert lib.LIB_COMMOpen(record) == -1
assert record[62] | record[63] << 8 == 1011

print("corvel ctypes: 1 passed, 0 failed")
