Print 7 / 2, 7 \ 2, -7 \ 2, 7 Mod -3, -7 Mod 3
Print 5.5 \ 2, 6.5 Mod 4
