~V
 VERS. 2.0 : v
 WRAP. YES : w
~W
 NULL. -999.25 : n
~C
 DEPT.M : d
 A. : a
 B. : b
 C. : c
~A
1
 2 3
 4
2
 5
