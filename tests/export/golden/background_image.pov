#version unofficial MegaPov 0.7;

//background color
background{rgb <150/255,150/255,150/255>}

camera{
	location < 0.000, 100.000, -300.000 >
	look_at < 0.000, 0.000, 0.000 >
	angle 90.000
}

//deault-light
light_source{<100000.000,100000.000,-100000.000> rgb 1}
light_source{<0.000,-100.000,100000.000> rgb 1}
light_source{<-100000.000,0.000,0.000> rgb 1}


//background image
plane{-z,0.0
	pigment{
		image_map{
			png	"sky.png" map_type 0
			interpolate 2
		}
		translate <-0.5,-0.5,0.0>
		scale 2.1
	}
	finish{
		ambient 1
		diffuse 0
	}
	no_shadow
	hollow
	scale <9000.000,6750.000,1.0>
	translate <0.0,0.0,9000.000>
	rotate <18.435,0.000,0.0>
	translate <0.000,100.000,-300.000>
}

#include "background_image_mat.inc"
#include "background_image_obj.inc"
