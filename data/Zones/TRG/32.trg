* Korvask trigger file v1.0
#3200
Гнев хозяина копей~
0 k0 30
~
switch %random.3%
  case 1
    mecho Хозяин копей бьет кулаком в стену, и с потолка сыплются камни.
  break
  case 2
    dg_cast 'оцепенение' %actor.name%
  break
  default
    say Убирайся из моих копей!
done
~
#3201
Обвал в штреке~
2 c0 100
копать~
wsend %actor% Вы ударяете киркой в стену, и свод над головой угрожающе трещит.
wechoaround %actor% %actor.name% долбит стену штрека.
wait 2
wecho С потолка с грохотом обрушиваются камни!
wdamage %actor% 20
~
#3202
Проклятый самоцвет~
1 g0 100
~
osend %actor% Самоцвет обжигает ладонь ледяным холодом.
oload obj 3206
~
$
$
