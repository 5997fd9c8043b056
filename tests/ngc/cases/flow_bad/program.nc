G21 G90 G17
G0 X1
G0 X[1/0]
G0 Y SQRT[-4]
#1 = FOO[2]
G0 X#6000
G0 Z#
o9 endwhile
o<absent> call
G0 X2
o1 while [1 LT 2]
G0 Y5
(never closed)
