(polar words: @ radius, ^ angle about the origin; a bolt circle)
G21 G90 G17
G0 @10 ^0
G0 ^90
G1 @5 F100
G91 G1 ^-90
G1 @5
G90 G0 X10 Y0 Z2
G91 G81 R-1 Z-3 ^60 L5
G90 G80
M2
