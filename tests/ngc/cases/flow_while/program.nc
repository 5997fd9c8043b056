(while with continue and break)
G21 G90 G17
#1 = 0
o1 while [#1 LT 5]
  #1 = [#1 + 1]
  o2 if [#1 EQ 2]
    o1 continue
  o2 endif
  o3 if [#1 EQ 4]
    o1 break
  o3 endif
  G1 X#1 F100
o1 endwhile
G0 Y#1
M2
