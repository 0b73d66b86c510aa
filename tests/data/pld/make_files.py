#!/usr/bin/env python3
"""Writes the hand-made JEDEC test files of the GAL16V8, GAL20V8 and GAL22V10
from the equations written down below. No free GAL assembler installs from the
Debian packages, so the fuses are set here from the parts' fuse map layout:

  16V8/20V8: 64 product terms of 32/40 columns (fuse = term x columns + column);
             eight terms per output cell, the first cell the highest output pin;
             after the array XOR (8), signature (64), AC1 (8), PTD (64), SYN, AC0.
  22V10:     132 terms of 44 columns; term 0 asynchronous reset, then per output
             cell (pin 23 first) one output enable term and 8,10,12,14,16,16,14,
             12,10,8 sum terms, term 131 synchronous preset; then S0/S1 of each
             cell (pin 23 first) at 5808.., the 64-bit signature at 5828..

Columns: a dedicated input's true column is 4 x its input index (pin 2 = 0,
pin 3 = 4, ... for the 20-pin and 24-pin V8 parts; pin 1 = 0, pin 2 = 4, ... for
the 22V10), its complement the next column. A "0" fuse connects a column to its
term; an unused term keeps every fuse at "0" (always false) and an enabled
product term disable bit ("1"). The files list only rows that differ from F0
and put one row out of order, as assemblers' files may.
"""
import sys

def checksum(fuses):
    total = 0
    for i in range(0, len(fuses), 8):
        byte = 0
        for k, f in enumerate(fuses[i:i + 8]):
            byte |= (f & 1) << k
        total = (total + byte) % 65536
    return total

def term(columns, connected):
    """A product term with the given columns connected (fuse 0), the rest 1."""
    row = [1] * columns
    for c in connected:
        row[c] = 0
    return row

def signature(text, bits=64):
    out = []
    for ch in text.ljust(bits // 8, '\0')[:bits // 8]:
        out += [(ord(ch) >> k) & 1 for k in range(8)]
    return out

def write(path, device, notes, fuses, columns, rows_out_of_order=True):
    qf = len(fuses)
    lines = ["\x02" + device + " test design written by make_files.py*", ]
    lines += ["N " + n + "*" for n in notes]
    lines += ["QP%d*" % (24 if columns != 32 else 20), "QF%d*" % qf, "G0*", "F0*"]
    blocks = []
    for start in range(0, qf, columns):
        chunk = fuses[start:start + columns]
        if any(chunk):
            blocks.append((start, chunk))
    if rows_out_of_order and len(blocks) > 2:
        blocks[0], blocks[1] = blocks[1], blocks[0]
    for start, chunk in blocks:
        lines.append("L%05d %s*" % (start, "".join(str(f) for f in chunk)))
    lines.append("C%04X*" % checksum(fuses))
    text = "\n".join(lines) + "\n\x03" + "%04X" % 0 + "\n"
    open(path, "w", newline="\n").write(text)

def v8(path, device, columns, registered, notes, equations, ues):
    array = [0] * (64 * columns)
    for cell, terms in equations.items():            # cell 0 = first output pin
        for i, connected in enumerate(terms):
            t = cell * 8 + i
            array[t * columns:(t + 1) * columns] = term(columns, connected)
    xor = [1 if c in equations else 0 for c in range(8)]
    ac1 = [0 if c in equations else 1 for c in range(8)]   # used cells are outputs
    ptd = [1] * 64
    syn, ac0 = (0, 1) if registered else (1, 0)
    fuses = array + xor + signature(ues) + ac1 + ptd + [syn, ac0]
    write(path, device, notes, fuses, columns)

def p22v10(path, notes, equations, s0s1, ues):
    columns, counts = 44, [8, 10, 12, 14, 16, 16, 14, 12, 10, 8]
    array = [0] * (132 * columns)
    first = 1
    for cell, count in enumerate(counts):
        oe, sums = first, first + 1
        if cell in equations:
            array[oe * columns:(oe + 1) * columns] = [1] * columns      # always enabled
            for i, connected in enumerate(equations[cell]):
                t = sums + i
                array[t * columns:(t + 1) * columns] = term(columns, connected)
        first += count + 1
    arch = []
    for cell in range(10):
        arch += list(s0s1.get(cell, (0, 1)))
    fuses = array + arch + signature(ues)
    write(path, "GAL22V10", notes, fuses, columns)

I = lambda index: 4 * index          # true column of dedicated input `index`
N = lambda index: 4 * index + 1      # its complement

v8("gal16v8_comb.jed", "GAL16V8", 32, False,
   ["simple mode: SYN=1 AC0=0",
    "pin 19 = pin2 & /pin3 # pin4",
    "pin 18 = /pin5 & pin6 & pin7"],
   {0: [[I(0), N(1)], [I(2)]], 1: [[N(3), I(4), I(5)]]}, "CMB16")
v8("gal16v8_reg.jed", "GAL16V8", 32, True,
   ["registered mode: SYN=0 AC0=1, clock pin 1, /OE pin 11",
    "pin 19 := pin2 & pin3",
    "pin 17 := /pin4 # pin5 & /pin6"],
   {0: [[I(0), I(1)]], 2: [[N(2)], [I(3), N(4)]]}, "REG16")
v8("gal20v8_comb.jed", "GAL20V8", 40, False,
   ["simple mode: SYN=1 AC0=0",
    "pin 22 = pin2 & pin3 & /pin4",
    "pin 20 = /pin9 # pin10"],
   {0: [[I(0), I(1), N(2)]], 2: [[N(7)], [I(8)]]}, "CMB20")
v8("gal20v8_reg.jed", "GAL20V8", 40, True,
   ["registered mode: SYN=0 AC0=1, clock pin 1, /OE pin 13",
    "pin 21 := pin2 # pin3 & pin11"],
   {1: [[I(0)], [I(1), I(9)]]}, "REG20")
p22v10("gal22v10_comb.jed",
       ["pin 23 = pin2 & /pin3 (combinational, active high: S0=1 S1=1)",
        "pin 21 = pin4 # /pin5 & pin6 (combinational, active high)"],
       {0: [[I(1), N(2)]], 2: [[I(3)], [N(4), I(5)]]},
       {0: (1, 1), 2: (1, 1)}, "CMB22")
p22v10("gal22v10_reg.jed",
       ["pin 22 := pin2 & pin3 (registered, active high: S0=1 S1=0), clock pin 1",
        "pin 18 := /pin7 (registered, active low: S0=0 S1=0)"],
       {1: [[I(1), I(2)]], 5: [[N(6)]]},
       {1: (1, 0), 5: (0, 0)}, "REG22")
