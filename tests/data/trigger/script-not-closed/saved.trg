* Korvask trigger file v1.0
#100
n~
0 q0 1
~
wait 1
say hi
~
$
$
