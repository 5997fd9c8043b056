%
(whole units, either case, comments)
n10 g21 g90 g17 g94
N20 G0 X10 Y5 Z2 ; to the first point
N30 g1 z-1 f200
/N40 G1 X50
N50 G1 X20 (x twenty) Y5
N60 G91 X-5 Y5
N70 G90 G0 Z2
M30
G0 X99
