(call values arrive in #1 #2 #3; #1 to #30 come back on return)
G21 G90 G17
#1 = 100
o<move> sub
  G1 X#1 Y#2 Z#3 F100
  #1 = 50
o<move> endsub
o<move> call [1] [2]
G0 X#1
o<move> call [[#1 / 4]] [-1] [SQRT[9]]
M2
