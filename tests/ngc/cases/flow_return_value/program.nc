(return with a value leaves it in #<_value>)
G21 G90 G17
o<sq> sub
  o<sq> return [#1 * #1]
  G0 X99
o<sq> endsub
o<sq> call [3]
G0 X#<_value>
o<sq> call [1.5]
G0 Y#<_value>
M2
