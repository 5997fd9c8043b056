(settings take effect once the whole line is read)
G21 G90 G17
#1 = 1
#1 = 2 #2 = #1 G0 X#1 Y#2
G0 X#1 Y#2
#3 = 5 #3 = 6 G0 Z#3
G0 Z#3
M2
