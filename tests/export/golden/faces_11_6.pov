#version unofficial MegaPov 0.7;

//background color
background{rgb <150/255,150/255,150/255>}

camera{
	location < 0.000, 100.000, -300.000 >
	look_at < 0.000, 0.000, 0.000 >
	angle 40.000
}

//deault-light
light_source{<100000.000,100000.000,-100000.000> rgb 1}
light_source{<0.000,-100.000,100000.000> rgb 1}
light_source{<-100000.000,0.000,0.000> rgb 1}


#include "faces_11_6_mat.inc"
#include "faces_11_6_obj.inc"
