~V
 VERS. 2.0 : v
~W
 NULL  -999.25 : n
 TIME.HH:MM 12:30 : t: x
 S.P. .MV : sp
~C
 DEPT.M : d
 GR.GAPI : g
 GR.GAPI : g
~A DEPT[M] GR GR
1 1.#IND ****
-999.25 ERR 9999
END
2 3 4 5
