#version unofficial MegaPov 1.2;

//background color
background{rgb <10/255,20/255,30/255>}

camera{
	orthographic
	location < 0.000, 0.000, -500.000 >
	look_at < 0.000, 0.000, 0.000 >
	angle 30.000
}

#include "flat_shaded_mat.inc"
#include "flat_shaded_obj.inc"
#include "extra.inc"
