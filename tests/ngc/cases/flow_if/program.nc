(if, elseif, else, endif, in a subroutine and in the program)
G21 G90 G17
o<pick> sub
  o1 if [#1 LT 0]
    G0 X-1
  o1 elseif [#1 EQ 0]
    G0 X0 Y1
  o1 elseif [#1 LT 10]
    G0 X1
  o1 else
    G0 X2
  o1 endif
  G0 Z#1
o<pick> endsub
o<pick> call [-5]
o<pick> call [0]
o<pick> call [5]
o<pick> call [50]
#2 = 3
o2 if [#2 GT 2]
  G0 Y5
o2 endif
M2
