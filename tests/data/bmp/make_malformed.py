#!/usr/bin/env python3
# Writes the malformed BMP files of malformed/, each named "<code>.<what>.bmp" for the
# codec code it must give (see dib/core/BmpStatus.cpp), and the seed corpus of the
# reader's fuzzer in seeds/. Run it again only to change the files; they are kept.
import os
import struct

here = os.path.dirname(os.path.abspath(__file__))


def info(w, h, bpp, comp=0, size_image=0, clr_used=0, hsize=40):
    return struct.pack('<IiiHHIIiiII', hsize, w, h, 1, bpp, comp, size_image, 0, 0, clr_used, 0)


def bmp(dib, off=None):
    if off is None:
        off = 14 + len(dib)
    return struct.pack('<HIHHI', 0x4D42, 14 + len(dib), 0, 0, off) + dib


def grey(n):
    return b''.join(bytes((i, i, i, 0)) for i in range(n))


def rle8(w, h, data):
    return bmp(info(w, h, 8, 1, len(data)) + grey(256) + data, 14 + 40 + 1024)


def rle4(w, h, data):
    return bmp(info(w, h, 4, 2, len(data)) + grey(16) + data, 14 + 40 + 64)


malformed = {
    'truncated.pixels': bmp(info(4, 4, 24) + bytes(20)),
    'truncated.info_header': bmp(info(4, 4, 24)[:30]),
    'truncated.colour_table': bmp(info(4, 4, 8) + grey(100)),
    'truncated.masks': bmp(info(4, 4, 16, 3) + bytes(6)),
    'truncated.rle_beyond_data': rle8(4, 4, bytes((4, 1, 0, 0, 0, 1)))[:-2],
    'truncated.gap_beyond_data': bmp(info(1, 1, 24) + bytes(4), 14 + 40 + 4000),
    'header_size.v5': bmp(struct.pack('<I', 124) + bytes(120) + bytes(4)),
    'header_size.zero': bmp(struct.pack('<I', 0) + bytes(36)),
    'file_type.ba': b'BA' + bmp(info(1, 1, 24) + bytes(4))[2:],
    'file_type.short': b'BM\x00\x00',
    'compression.jpeg': bmp(info(4, 4, 24, 4) + bytes(48)),
    'dimensions.width_zero': bmp(info(0, 4, 24)),
    'dimensions.height_min': bmp(info(4, -2**31, 24)),
    'dimensions.overflow_32bit': bmp(info(0x10000, 0x10001, 32)),
    'dimensions.os2_height_zero': bmp(struct.pack('<IHHHH', 12, 4, 0, 1, 24)),
    'bit_count.two': bmp(info(4, 4, 2) + grey(4) + bytes(4)),
    'pixel_format.bitfields_444': bmp(info(1, 1, 16, 3) + struct.pack('<III', 0xF00, 0xF0, 0xF) + bytes(4)),
    'bitfields_bit_count.eight': bmp(info(1, 1, 8, 3) + struct.pack('<III', 0xE0, 0x1C, 3) + grey(256) + bytes(4)),
    'rle_bit_count.rle4_at_8': bmp(info(4, 4, 8, 2, 2) + grey(256) + bytes((0, 1))),
    'rle_top_down.rle8': bmp(info(4, -4, 8, 1, 2) + grey(256) + bytes((0, 1))),
    'rle_image_size.zero': bmp(info(4, 4, 8, 1, 0) + grey(256) + bytes((0, 1))),
    'rle_run_past_row.rle8': rle8(4, 2, bytes((9, 1, 0, 1))),
    'rle_run_past_row.rle4_absolute': rle4(4, 2, bytes((0, 6, 0x12, 0x34, 0x56, 0, 0, 1))),
    'rle_past_image.delta': rle8(4, 2, bytes((0, 2, 0, 200, 1, 1, 0, 1))),
    'rle_past_image.end_of_line': rle8(4, 1, bytes((0, 0, 0, 0, 2, 2, 0, 1))),
    'rle_data_end.no_end_of_bitmap': rle8(4, 2, bytes((4, 1, 0, 0, 4, 2))),
    'rle_data_end.absolute_cut': rle8(4, 2, bytes((0, 200, 1, 2, 3, 4))),
    'rle_data_end.delta_cut': rle4(4, 2, bytes((0, 2, 1))),
}

seeds = {
    'rgb24': bmp(info(3, 2, 24) + bytes(range(24))),
    'top_down8': bmp(info(3, -2, 8) + grey(256) + bytes(range(8))),
    'os2_4bit': bmp(struct.pack('<IHHHH', 12, 3, 2, 1, 4) + bytes(48) + bytes((0x12, 0x30, 0, 0, 0x45, 0x60, 0, 0))),
    'bitfields565': bmp(info(2, 2, 16, 3) + struct.pack('<III', 0xF800, 0x7E0, 0x1F) + bytes(range(8))),
    'bitfields32': bmp(info(2, 1, 32, 3) + struct.pack('<III', 0xFF, 0xFF00, 0xFF0000) + bytes(range(8))),
    'rle8': rle8(6, 3, bytes((3, 7, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 2, 1, 5, 9, 0, 1))),
    'rle4': rle4(7, 2, bytes((5, 0x12, 0, 0, 0, 3, 0x45, 0x60, 0, 2, 1, 0, 2, 0x77, 0, 1))),
    'one_bit': bmp(info(9, 2, 1, 0, 0, 2) + grey(2) + bytes((0xA5, 0x80, 0, 0, 0x5A, 0, 0, 0))),
}

for folder, files in (('malformed', malformed), ('seeds', seeds)):
    os.makedirs(os.path.join(here, folder), exist_ok=True)
    for name, data in files.items():
        with open(os.path.join(here, folder, name + '.bmp'), 'wb') as f:
            f.write(data)
