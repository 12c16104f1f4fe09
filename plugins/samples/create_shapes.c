/* Create plug-in: a cube and a cylinder, built vertex by vertex through the
 * host's object API. Faces run counter-clockwise seen from outside, so their
 * normals point outwards. Written in plain C against the public header. */
#include <math.h>
#include <stddef.h>

#include "brimvale/mq_plugin.h"

enum { kCylinderSegments = 16 };
static const float kHalf = 50.0f; /* half the edge of the cube, half the cylinder's height */
static const float kRadius = 50.0f;

uint32_t MQCheckVersion(uint32_t exe_version) { return exe_version >= MQ_INTERFACE_VERSION ? MQ_INTERFACE_VERSION : 0; }

int MQInit(const char* exe_name) { return exe_name != NULL; }

int MQGetPlugInType(void) { return MQ_PLUGIN_TYPE_CREATE; }

const char* MQGetPlugInName(void) { return "Brimvale sample shapes"; }

const char* MQEnumString(int index) {
  switch (index) {
    case 0: return "Cube";
    case 1: return "Cylinder";
    default: return NULL;
  }
}

static void AddQuad(MQObject obj, int a, int b, int c, int d) {
  const int corners[4] = {a, b, c, d};
  MQObj_AddFace(obj, 4, corners);
}

static void AddTriangle(MQObject obj, int a, int b, int c) {
  const int corners[3] = {a, b, c};
  MQObj_AddFace(obj, 3, corners);
}

static void MakeCube(MQDocument doc) {
  MQObject obj = MQ_CreateObject();
  int i;
  MQObj_SetName(obj, "cube");
  /* Vertex i has x from bit 0, y from bit 1, z from bit 2. */
  for (i = 0; i < 8; ++i) {
    MQPoint p;
    p.x = (i & 1) ? kHalf : -kHalf;
    p.y = (i & 2) ? kHalf : -kHalf;
    p.z = (i & 4) ? kHalf : -kHalf;
    MQObj_AddVertex(obj, &p);
  }
  AddQuad(obj, 1, 3, 7, 5); /* +x */
  AddQuad(obj, 0, 4, 6, 2); /* -x */
  AddQuad(obj, 2, 6, 7, 3); /* +y */
  AddQuad(obj, 0, 1, 5, 4); /* -y */
  AddQuad(obj, 4, 5, 7, 6); /* +z */
  AddQuad(obj, 0, 2, 3, 1); /* -z */
  MQDoc_AddObject(doc, obj);
}

static void MakeCylinder(MQDocument doc) {
  const int n = kCylinderSegments;
  MQObject obj = MQ_CreateObject();
  MQPoint p;
  int i;
  MQObj_SetName(obj, "cylinder");
  /* Bottom ring 0..n-1, top ring n..2n-1, then the two cap centres. */
  for (i = 0; i < 2 * n; ++i) {
    const double angle = 2.0 * 3.14159265358979323846 * (i % n) / n;
    p.x = (float)(kRadius * cos(angle));
    p.y = i < n ? -kHalf : kHalf;
    p.z = (float)(kRadius * sin(angle));
    MQObj_AddVertex(obj, &p);
  }
  p.x = 0.0f;
  p.z = 0.0f;
  p.y = -kHalf;
  MQObj_AddVertex(obj, &p);
  p.y = kHalf;
  MQObj_AddVertex(obj, &p);
  for (i = 0; i < n; ++i) {
    const int j = (i + 1) % n;
    AddQuad(obj, i, n + i, n + j, j);
    AddTriangle(obj, 2 * n + 1, n + j, n + i);
    AddTriangle(obj, 2 * n, i, j);
  }
  MQDoc_AddObject(doc, obj);
}

int MQCreate(int index, MQDocument doc) {
  switch (index) {
    case 0: MakeCube(doc); return 1;
    case 1: MakeCylinder(doc); return 1;
    default: return 0;
  }
}
