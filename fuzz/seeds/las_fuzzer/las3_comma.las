~Version
 VERS. 3.0 : v
 WRAP. NO : w
 DLM . COMMA : d
~Well
 NULL. -999.25 : n
~Log_Definition
 DEPT .M : d {F}
 GR .GAPI : g {F} | x
~Log_Data | Log_Definition
1.0, 2.0
2.0,,
~Tops_Data
A, 1
