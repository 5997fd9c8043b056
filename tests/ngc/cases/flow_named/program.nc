(named parameters: locals belong to their call, globals start with _)
G21 G90 G17
#<size> = 4 #<_top> = 10
o<box> sub
  #<size> = [#1 * 2]
  G0 X#<size> Z#<_top>
  #<_top> = 20
o<box> endsub
G0 X#<size>
o<box> call [3]
G0 X#<size> Z#<_top>
G0 Y[EXISTS[#<size>] + EXISTS[#<nothing>]]
M2
