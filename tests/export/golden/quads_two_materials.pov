#version 3.5;

//background color
background{rgb <150/255,150/255,150/255>}

camera{
	location < 50.000, 25.000, -200.000 >
	look_at < 50.000, 25.000, 0.000 >
	angle 45.500
}

//deault-light
light_source{<100000.000,100000.000,-100000.000> rgb 1}
light_source{<0.000,-100.000,100000.000> rgb 1}
light_source{<-100000.000,0.000,0.000> rgb 1}


#include "quads_two_materials_mat.inc"
#include "quads_two_materials_obj.inc"
