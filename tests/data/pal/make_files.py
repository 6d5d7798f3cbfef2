#!/usr/bin/env python3
# Writes the palette test files: valid files of each format in the layouts other software
# writes (written by hand from the format descriptions), malformed files in
# <reader>/malformed/ named "<code>.<what>.<ext>" for the code they must give (see
# paletteeditor/core/PaletteStatus.cpp), the fuzzer's seeds, and 8-bit and 24-bit BMPs
# written by ImageMagick. Run it again only to change the files; they are kept.
import os
import subprocess

here = os.path.dirname(os.path.abspath(__file__))
CONVERT = '/usr/bin/convert'


def colour(i):
    """The palette every valid text file holds (mirrored in the tests as TestColour)."""
    return (i, (i * 37 + 11) % 256, 255 - (i * 5) % 256)


def raw6(i):
    """The 6-bit bytes of the valid raw file (mirrored as TestRawByte)."""
    return (i % 64, (i * 3) % 64, 63 - i % 64)


def lines(fmt=lambda i, c: '%d %d %d' % c, n=256):
    return [fmt(i, colour(i)) for i in range(n)]


def text(lines_, end='\r\n', last_end=True):
    body = end.join(lines_)
    return (body + (end if last_end else '')).encode('ascii')


def jasc(body_lines, header=('JASC-PAL', '0100', '256'), end='\r\n', last_end=True):
    return text(list(header) + body_lines, end, last_end)


def write(rel, data):
    path = os.path.join(here, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)


raw = bytes(b for i in range(256) for b in raw6(i))

valid = {
    # What the format description gives, as GIMP and Paint Shop Pro write it.
    'jasc/gimp_style.pal': jasc(lines()),
    # Blanks and tabs before and between the numbers.
    'jasc/blanks_and_tabs.pal': jasc(lines(lambda i, c: ' \t %d  %d\t\t%d' % c)),
    # Text behind the third number of a line is a comment.
    'jasc/comments.pal': jasc(lines(lambda i, c: '%d %d %d entry %d of 256' % (c + (i,)))),
    'jasc/no_final_line_end.pal': jasc(lines(), last_end=False),
    'jasc/extra_lines.pal': jasc(lines() + ['1 2 3', 'not read at all']),
    # A Ctrl-Z after the last line, as DOS-era writers leave it.
    'jasc/ctrl_z.pal': jasc(lines()) + b'\x1a' + b'garbage after the end',
    'map/fractint_style.map': text(lines()) + b'\x1a',
    'map/padded.map': text(lines(lambda i, c: '%3d %3d %3d' % c)),
    # Fractint maps often stop early: the rest is black.
    'map/ten_lines.map': text(lines(n=10)),
    # A bare LF ends no line: only entry 0 is read, the rest is 0.
    'map/lf_only.map': text(lines(), end='\n'),
    'map/wrapped_values.map': text(['256 -1 511', '-256 1000 -129']),
    'raw/ts_ra2.pal': raw,
    'raw/oversized_1000.pal': raw + bytes(range(232)),
    # 768 bytes whose first line happens to be 10 characters of something else.
    'raw/jasc_lf_only.pal': jasc(lines(), end='\n'),
}
for rel, data in valid.items():
    write(rel, data)

malformed = {
    'jasc/malformed/jasc_signature.trailing_blank.pal': jasc(lines(), ('JASC-PAL ', '0100', '256')),
    'jasc/malformed/jasc_signature.lower_case.pal': jasc(lines(), ('jasc-pal', '0100', '256')),
    'jasc/malformed/jasc_signature.lf_only.pal': jasc(lines(), end='\n'),
    'jasc/malformed/jasc_signature.empty.pal': b'',
    'jasc/malformed/jasc_not_8bit.count_16.pal': jasc(lines(n=16), ('JASC-PAL', '0100', '16')),
    'jasc/malformed/jasc_not_8bit.version_0200.pal': jasc(lines(), ('JASC-PAL', '0200', '256')),
    'jasc/malformed/invalid_numeric.count_word.pal': jasc(lines(), ('JASC-PAL', '0100', 'many')),
    'jasc/malformed/invalid_numeric.letter_in_line_100.pal':
        jasc(lines()[:99] + ['12 3x 4'] + lines()[100:]),
    'map/malformed/invalid_numeric.above_32_bits.map':
        text(['4294967296 0 0'] + lines()[1:]),
    'map/malformed/invalid_numeric.sign_only.map': text(lines()[:5] + ['1 - 2'] + lines()[6:]),
    'map/malformed/invalid_numeric.hex.map': text(['$FF 0 0'] + lines()[1:]),
    'raw/malformed/read_beyond_end.767_bytes.pal': raw[:767],
    'raw/malformed/read_beyond_end.empty.pal': b'',
}
for rel, data in malformed.items():
    write(rel, data)

for rel in ('jasc/gimp_style.pal', 'map/fractint_style.map', 'raw/ts_ra2.pal', 'jasc/comments.pal'):
    write('seeds/' + os.path.basename(rel), valid[rel])

# ImageMagick's 8-bit BMP: a 16 x 16 image of 256 different colours, so the colour table
# holds all of them in an order of ImageMagick's choosing; and a 24-bit one.
ppm = b'P6 16 16 255\n' + bytes(b for i in range(256) for b in colour(i))
write('bmp/source.ppm', ppm)
src = os.path.join(here, 'bmp/source.ppm')
subprocess.run([CONVERT, src, '-type', 'Palette', '-colors', '256', 'BMP3:' +
                os.path.join(here, 'bmp/imagemagick_8bit.bmp')], check=True)
subprocess.run([CONVERT, src, '-type', 'TrueColor', 'BMP3:' +
                os.path.join(here, 'bmp/imagemagick_24bit.bmp')], check=True)
os.remove(src)
