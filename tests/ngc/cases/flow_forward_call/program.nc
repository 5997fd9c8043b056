(subroutines called above their definitions, one of them from inside another)
G21 G90 G17
o100 call [5]
o<peck> call [7]
o300 call
G0 X0
M2
o100 sub
  G0 X#1 Y1
o100 endsub
o<peck> sub
  o100 call [#1 + 1]
  G1 Z-1 F100
o<peck> endsub
