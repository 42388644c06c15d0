* Korvask trigger file v1.0
#4000
приветствие~
0 q 100
~
wait 1
say Привет!~
#4001
пусто~
1 bd 0
~
~
#4002
комната~
2	b1d0  5
осмотреть~
  if %actor.level% > 30
    halt
  end
~
#4004
ничего~
0 0 0
~
wait 1s

~
$~
