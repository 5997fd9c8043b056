(parameters named by parameters and expressions)
G21 G90 G17
#1 = 3 #3 = 7 #4 = 8
G0 X##1 Y#[#1 + 1]
#[#1 * 10] = 2.5
G0 Z#30
M2
