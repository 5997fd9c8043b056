(o<hole> is not defined here: hole.ngc beside the program is)
G21 G90 G17
G0 Z5
o<hole> call [10] [0] [-2]
o<hole> call [20] [5] [-3]
G0 Z5
M2
