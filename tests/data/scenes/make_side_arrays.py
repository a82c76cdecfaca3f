#!/usr/bin/env python3
"""Writes document_side_arrays.bin, the side file of document_side_arrays.pscene.json (run once;
the file is committed). Little-endian 32-bit values; the offsets are the document's."""
import struct

parts = [
    (0, "<12f", [0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0]),        # vertices, float32
    (48, "<6i", [0, 1, 2, 2, 3, 0]),                          # faces, int32
    (72, "<8f", [0, 0, 1, 0, 1, 1, 0, 1]),                    # uvVertices, float32
    (104, "<6I", [0, 1, 2, 2, 3, 0]),                         # uvFaces, uint32
    (128, "<2I", [1, 0x80000000]),                            # smoothing, uint32
    (136, "<2i", [0, 3]),                                     # materialIds, int32
    (144, "<2f", [0.25, 0.75]),                               # skin weights, float32
    (152, "<12f", [0, 0, 1, 0, 0, 2, 0, 0, 0, 0, 0, -1]),     # morph deltas, float32
    (200, "<2i", [0, 3]),                                     # morph points, int32
    (208, "<1I", [1]),                                        # selected faces, uint32
]
data = bytearray()
for offset, layout, values in parts:
    assert len(data) == offset
    data += struct.pack(layout, *values)
with open("document_side_arrays.bin", "wb") as f:
    f.write(data)
