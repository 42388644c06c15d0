* x
#100
n~
0 q 1
~
wait 1
say hi
