(a subroutine calling another)
G21 G90 G17
o<inner> sub
  G1 X[#1 + #2] F100
o<inner> endsub
o<outer> sub
  o<inner> call [#1] [10]
  G1 Y#1
  o<inner> call [#1] [20]
o<outer> endsub
o<outer> call [1]
o<outer> call [2]
M2
