(a function-like subroutine: what it returns, and whether it returned anything, drive moves)
G21 G90 G17
o<half> sub
  o10 if [#1 LT 0]
    o<half> return
  o10 endif
  o<half> return [#1 / 2]
o<half> endsub
o<half> call [10]
G0 X#<_value> Y#<_value_returned>
o<half> call [-4]
G0 X#<_value> Y#<_value_returned>
o<half> call [6]
G1 Z[0 - #<_value>] F100
M2
