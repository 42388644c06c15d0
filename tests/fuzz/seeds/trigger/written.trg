* Korvask trigger file v1.0
#5000
Триггер~
0 g0 100
~
wait 1
say Привет!
if %actor.level% < 5
  halt
end
~
#5001
Триггер~
1 j0 100
взять~
wait 1
say Привет!
if %actor.level% < 5
  halt
end
~
#5002
Триггер~
2 n0c0 100
~
wait 1
say Привет!
if %actor.level% < 5
  halt
end
~
$
$
