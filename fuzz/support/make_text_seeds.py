#!/usr/bin/env python3
"""Writes the text fuzz target's seed corpus (fuzz/corpus/text/); see text_fuzz.cpp for the layout."""
import struct,os
out=os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'corpus', 'text')
def text(sel_x, x, sel_y, y, minlen, s, bgflag=1, charonly=0, ops=0):
    b = struct.pack('<I', ops)
    b += bytes([charonly]) + bytes([sel_x]) + struct.pack('<i', x) + bytes([sel_y]) + struct.pack('<i', y)
    b += struct.pack('<iii', 0, 0, 0) + bytes([bgflag]) + struct.pack('<iii', 255, 255, 255)
    if charonly:
        return b + struct.pack('<i', ord(s[0]) if s else 219)
    b += struct.pack('<i', minlen) + struct.pack('<H', len(s)) + s.encode('latin-1')
    return b
seeds = {
 'label': text(200, 300, 200, 10, 0, 'Selected Color:', 0),
 'wrap_right': text(200, 496, 200, 0, 0, 'AB'),
 'wrap_bottom': text(200, 0, 200, 495, 0, 'xyz'),
 'pad_only': text(200, 40, 200, 40, 3, ''),
 'long_line': text(200, 0, 200, 0, 0, ''.join(chr(32 + i % 95) for i in range(200))),
 'int_max': text(15, 0, 15, 0, 5, 'edge'),
 'int_min': text(0, 0, 0, 0, 5, 'edge'),
 'negative': text(200, -3, 200, -20, 2, 'neg'),
 'char_block': text(200, 498, 200, 498, 0, '\xdb', charonly=1),
 'char_min': text(0, 0, 15, 0, 0, 'A', charonly=1),
 'high_bytes': text(200, 100, 200, 100, 0, ''.join(chr(c) for c in range(128, 256))),
}
for k,v in seeds.items():
    open(os.path.join(out,k),'wb').write(v)
