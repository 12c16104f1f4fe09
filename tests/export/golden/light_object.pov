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


//object-light
//Light_1
light_source{<5.0000,10.0000,15.0000> rgb <255/255,200/255,100/255>}
//Light_
light_source{<0.0000,0.0000,0.0000> rgb <255/255,100/255,255/255>}


#include "light_object_mat.inc"
#include "light_object_obj.inc"
