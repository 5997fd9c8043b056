(do runs once before its test; repeat counts, nested too)
G21 G90 G17
#1 = 10
o1 do
  G1 X#1 F100
  #1 = [#1 + 1]
o1 while [#1 LT 3]
o2 repeat [3]
  G91 G1 Y2
o2 endrepeat
G90
o3 repeat [0]
  G0 Z99
o3 endrepeat
o4 repeat [2]
  o5 repeat [2]
    G91 G0 Z1
  o5 endrepeat
o4 endrepeat
G90 G0 X0
M2
