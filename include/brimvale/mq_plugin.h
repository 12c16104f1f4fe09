/*
 * Brimvale plug-in interface.
 *
 * A plug-in is a shared object (.so) placed in Plugins/<Kind>/ beside the
 * brimvale executable, where <Kind> is Import, Export, Create, Object or
 * Select. Brimvale loads it at start-up, calls MQCheckVersion, MQInit and
 * MQGetPlugInType, and keeps it when it exports the entry points of its kind.
 * Create, Object and Select plug-ins must export MQEnumString, which lists
 * their commands (one without it is skipped); choosing a command from the menu
 * of the same name calls MQCreate, MQModifyObject or MQModifySelect with the
 * command's number.
 *
 * The plug-in works on the open document through the functions below, which
 * the brimvale executable exports with C linkage. Link the plug-in without
 * -Wl,-z,defs: these symbols are resolved from the executable when it loads
 * the plug-in. Every call appends a trace line to
 * $XDG_STATE_HOME/brimvale/debug.txt (default ~/.local/state/brimvale/).
 *
 * Handles: the document handle is opaque and ignored; every function works on
 * the document open in brimvale. Every MQObj_ function works on the current
 * object (set by MQ_CreateObject, MQDoc_GetObject and MQObj_Clone), whatever
 * object handle it is given. Indices outside a list leave everything as it
 * was and give 0, -1 or NULL.
 *
 * Ownership: an object made by MQ_CreateObject or MQObj_Clone, and a material
 * made by MQ_CreateMaterial, belong to the plug-in interface, across commands,
 * until MQDoc_AddObject or MQDoc_AddMaterial hands them to the document. Those
 * never added are freed when the document is reset (a new or opened file) or
 * closed, and when brimvale exits.
 *
 * Functions marked "trace only" do no work: they write their trace line and
 * give the fixed result named; text getters among them write an empty string
 * into a buffer of size 1 or more.
 *
 * Usable from C and C++.
 */
#ifndef BRIMVALE_MQ_PLUGIN_H
#define BRIMVALE_MQ_PLUGIN_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Interface version that the host passes to MQCheckVersion. */
#define MQ_INTERFACE_VERSION 0x2100u

/* Kinds reported by MQGetPlugInType. */
#define MQ_PLUGIN_TYPE_IMPORT 1
#define MQ_PLUGIN_TYPE_EXPORT 2
#define MQ_PLUGIN_TYPE_CREATE 3
#define MQ_PLUGIN_TYPE_OBJECT 4
#define MQ_PLUGIN_TYPE_SELECT 5

typedef struct MQDocumentTag* MQDocument;
typedef struct MQObjectTag* MQObject;
typedef struct MQMaterialTag* MQMaterial;
typedef struct MQSceneTag* MQScene;

/* A position: three floats, laid out like the host's own vertices. */
typedef struct MQPoint {
  float x, y, z;
} MQPoint;

/* A texture coordinate of one face corner. */
typedef struct MQCoordinate {
  float u, v;
} MQCoordinate;

/* A colour with float channels from 0 to 1. */
typedef struct MQColor {
  float r, g, b;
} MQColor;

/* ---- Entry points a plug-in exports ---------------------------------- */

/* Every plug-in: nonzero when the host's interface version is compatible. */
uint32_t MQCheckVersion(uint32_t exe_version);
/* Every plug-in: receives the full path of the brimvale executable; nonzero when initialised. */
int MQInit(const char* exe_name);
/* Every plug-in: one of the MQ_PLUGIN_TYPE_ values. */
int MQGetPlugInType(void);
/* Optional, never called by the host. */
const char* MQGetPlugInName(void);
void MQGetPlugInID(uint32_t* product, uint32_t* id);
/* Create, Object and Select: the text of command index; NULL or "" ends the list. */
const char* MQEnumString(int index);
/* Import and Export: file type names and extensions (kept, not yet called). */
const char* MQEnumFileType(int index);
const char* MQEnumFileExt(int index);
int MQImportFile(int index, const char* filename, MQDocument doc);
int MQExportFile(int index, const char* filename, MQDocument doc);
/* Command entry points; the result is ignored. */
int MQCreate(int index, MQDocument doc);
int MQModifyObject(int index, MQDocument doc);
int MQModifySelect(int index, MQDocument doc);

/* Pointer types of the entry points, for hosts that look them up. */
typedef uint32_t (*MQCheckVersionProc)(uint32_t);
typedef int (*MQInitProc)(const char*);
typedef const char* (*MQGetPlugInNameProc)(void);
typedef void (*MQGetPlugInIDProc)(uint32_t*, uint32_t*);
typedef int (*MQGetPlugInTypeProc)(void);
typedef const char* (*MQEnumStringProc)(int);
typedef const char* (*MQEnumFileTypeProc)(int);
typedef const char* (*MQEnumFileExtProc)(int);
typedef int (*MQExportFileProc)(int, const char*, MQDocument);
typedef int (*MQImportFileProc)(int, const char*, MQDocument);
typedef int (*MQCreateProc)(int, MQDocument);
typedef int (*MQModifyObjectProc)(int, MQDocument);
typedef int (*MQModifySelectProc)(int, MQDocument);

/* ---- Application services --------------------------------------------- */

/* The main window: in brimvale its QWidget*, for plug-ins built with the same
 * Qt 6; otherwise treat it as opaque. NULL when there is no window. */
void* MQ_GetWindowHandle(void);
/* A new empty object, not yet in the document; it becomes the current object. */
MQObject MQ_CreateObject(void);
/* A new default material, not yet in the document. */
MQMaterial MQ_CreateMaterial(void);
/* Shows a message box "ShowFileDialog" with the given caption (UTF-8 or
 * Shift-JIS); returns 1 (OK). */
int MQ_ShowFileDialog(const char* caption);
/* Trace only (the buffers are not written); the int results are 0. */
void MQ_ImportAxis(void* info, MQPoint* points, int count);
void MQ_ExportAxis(void* info, MQPoint* points, int count);
int MQ_LoadImage(const char* filename, void** header, void** buffer, uint32_t reserved);
int MQ_GetSystemPath(char* buffer, int type);

/* ---- Document ----------------------------------------------------------- */

int MQDoc_GetObjectCount(MQDocument doc);
/* Makes the object at index current; NULL outside the list. */
MQObject MQDoc_GetObject(MQDocument doc, int index);
int MQDoc_GetCurrentObjectIndex(MQDocument doc);              /* trace only: 0 */
void MQDoc_SetCurrentObjectIndex(MQDocument doc, int index);   /* trace only */
/* Hands the current object (made by MQ_CreateObject or MQObj_Clone) to the
 * document; its index, or -1 when there is no such object. */
int MQDoc_AddObject(MQDocument doc, MQObject obj);
void MQDoc_DeleteObject(MQDocument doc, int index);
/* Index of the current object; 0 when it is not in the document. */
int MQDoc_GetObjectIndex(MQDocument doc, MQObject obj);
int MQDoc_GetMaterialCount(MQDocument doc);
MQMaterial MQDoc_GetMaterial(MQDocument doc, int index);
int MQDoc_GetCurrentMaterialIndex(MQDocument doc);            /* trace only: -1 */
void MQDoc_SetCurrentMaterialIndex(MQDocument doc, int index); /* trace only */
/* Hands a material made by MQ_CreateMaterial to the document; its index, or -1. */
int MQDoc_AddMaterial(MQDocument doc, MQMaterial mat);
void MQDoc_DeleteMaterial(MQDocument doc, int index); /* trace only */
/* Trace only: 0, out_path not written. */
int MQDoc_FindMappingFile(MQDocument doc, char* out_path, const char* filename, uint32_t map_type);
void MQDoc_Compact(MQDocument doc);                                     /* trace only */
void MQDoc_ClearSelect(MQDocument doc, uint32_t flag);                  /* trace only */
int MQDoc_AddSelectVertex(MQDocument doc, int objindex, int vertindex); /* trace only: 0 */
int MQDoc_DeleteSelectVertex(MQDocument doc, int objindex, int vertindex); /* trace only: 0 */
/* 1 when the vertex is selected, else 0. */
int MQDoc_IsSelectVertex(MQDocument doc, int objindex, int vertindex);
/* Trace only: each gives 0. */
int MQDoc_AddSelectLine(MQDocument doc, int objindex, int faceindex, int lineindex);
int MQDoc_DeleteSelectLine(MQDocument doc, int objindex, int faceindex, int lineindex);
int MQDoc_IsSelectLine(MQDocument doc, int objindex, int faceindex, int lineindex);
int MQDoc_AddSelectFace(MQDocument doc, int objindex, int faceindex);
int MQDoc_DeleteSelectFace(MQDocument doc, int objindex, int faceindex);
int MQDoc_IsSelectFace(MQDocument doc, int objindex, int faceindex);
MQScene MQDoc_GetScene(MQDocument doc, int index); /* trace only: NULL */

/* ---- Scene -------------------------------------------------------------- */

/* Trace only: the matrices are not written. */
void MQScene_InitSize(MQScene scene, int width, int height);
void MQScene_GetProjMatrix(MQScene scene, float* matrix);
void MQScene_GetViewMatrix(MQScene scene, float* matrix);

/* ---- Object (each works on the current object) ------------------------ */

void MQObj_Delete(MQObject obj);                 /* trace only */
/* A copy with the object's settings and deformers; it becomes current. */
MQObject MQObj_Clone(MQObject obj);
void MQObj_Merge(MQObject dest, MQObject source); /* trace only */
/* Bakes lathe, mirrors, patch subdivision and deformers into the object: its
 * mesh becomes the one the view draws. */
void MQObj_Freeze(MQObject obj);
void MQObj_GetName(MQObject obj, char* buffer, int size); /* trace only: "" */
void MQObj_SetName(MQObject obj, const char* name);
int MQObj_GetVertexCount(MQObject obj);
void MQObj_GetVertex(MQObject obj, int index, MQPoint* pts);
void MQObj_SetVertex(MQObject obj, int index, const MQPoint* pts);
/* Copies every vertex position: room for MQObj_GetVertexCount points. */
void MQObj_GetVertexArray(MQObject obj, MQPoint* ptsarray);
/* Faces are numbered lines first, then triangles, then quadrilaterals. */
int MQObj_GetFaceCount(MQObject obj);
int MQObj_GetFacePointCount(MQObject obj, int face);
/* Copies the face's 2, 3 or 4 vertex indices. */
void MQObj_GetFacePointArray(MQObject obj, int face, int* vertex);
/* Trace only (uvarray is not written). */
void MQObj_GetFaceCoordinateArray(MQObject obj, int face, MQCoordinate* uvarray);
int MQObj_GetFaceMaterial(MQObject obj, int face); /* trace only: -1 */
/* Trace only: the getters give 0. */
uint32_t MQObj_GetVertexColor(MQObject obj, int vertex);
void MQObj_SetVertexColor(MQObject obj, int vertex, uint32_t color);
float MQObj_GetVertexWeight(MQObject obj, int vertex);
void MQObj_SetVertexWeight(MQObject obj, int vertex, float value);
void MQObj_CopyVertexAttribute(MQObject obj, int vert1, MQObject obj2, int vert2);
/* Appends a vertex; its index, or -1. */
int MQObj_AddVertex(MQObject obj, const MQPoint* p);
/* Deletes nothing: 1 when the index names a vertex, else 0. */
int MQObj_DeleteVertex(MQObject obj, int index);
int MQObj_GetVertexRefCount(MQObject obj, int index);
/* Appends a face of 2, 3 or 4 corners naming existing vertices; its position
 * within the list of faces with that many corners, or 0 when refused. */
int MQObj_AddFace(MQObject obj, int count, const int* index);
int MQObj_DeleteFace(MQObject obj, int index); /* trace only: 0 */
int MQObj_InvertFace(MQObject obj, int index); /* 1 when done */
/* Trace only. */
void MQObj_SetFaceMaterial(MQObject obj, int face, int material);
void MQObj_SetFaceCoordinateArray(MQObject obj, int face, const MQCoordinate* uvarray);
void MQObj_OptimizeVertex(MQObject obj, float distance);
void MQObj_Compact(MQObject obj);
/* Trace only: the object's settings are neither read nor changed; the getters
 * give 0. */
int MQObj_GetVisible(MQObject obj);
void MQObj_SetVisible(MQObject obj, int visible);
int MQObj_GetPatchType(MQObject obj);
void MQObj_SetPatchType(MQObject obj, int type);
int MQObj_GetPatchSegment(MQObject obj);
void MQObj_SetPatchSegment(MQObject obj, int segment);
int MQObj_GetShading(MQObject obj);
void MQObj_SetShading(MQObject obj, int type);
float MQObj_GetSmoothAngle(MQObject obj);
void MQObj_SetSmoothAngle(MQObject obj, float degree);
int MQObj_GetMirrorType(MQObject obj);
void MQObj_SetMirrorType(MQObject obj, int type);
int MQObj_GetMirrorAxis(MQObject obj);
void MQObj_SetMirrorAxis(MQObject obj, int axis);
float MQObj_GetMirrorDistance(MQObject obj);
void MQObj_SetMirrorDistance(MQObject obj, float dis);
int MQObj_GetLatheType(MQObject obj);
void MQObj_SetLatheType(MQObject obj, int type);
int MQObj_GetLatheAxis(MQObject obj);
void MQObj_SetLatheAxis(MQObject obj, int axis);
int MQObj_GetLatheSegment(MQObject obj);
void MQObj_SetLatheSegment(MQObject obj, int segment);

/* ---- Material ----------------------------------------------------------- */

/* Deletes a material made by MQ_CreateMaterial and not handed to the document. */
void MQMat_Delete(MQMaterial mat);
/* Trace only, all of the rest: the material is neither read nor changed; the
 * number getters give 0, the text getters "", MQMat_GetColor writes nothing. */
void MQMat_GetName(MQMaterial mat, char* buffer, int size);
void MQMat_GetColor(MQMaterial mat, MQColor* color);
float MQMat_GetAlpha(MQMaterial mat);
float MQMat_GetDiffuse(MQMaterial mat);
float MQMat_GetAmbient(MQMaterial mat);
float MQMat_GetEmission(MQMaterial mat);
float MQMat_GetSpecular(MQMaterial mat);
float MQMat_GetPower(MQMaterial mat);
void MQMat_GetTextureName(MQMaterial mat, char* buffer, int size);
void MQMat_GetAlphaName(MQMaterial mat, char* buffer, int size);
void MQMat_GetBumpName(MQMaterial mat, char* buffer, int size);
void MQMat_SetName(MQMaterial mat, const char* name);
void MQMat_SetColor(MQMaterial mat, const MQColor* color);
void MQMat_SetAlpha(MQMaterial mat, float value);
void MQMat_SetDiffuse(MQMaterial mat, float value);
void MQMat_SetAmbient(MQMaterial mat, float value);
void MQMat_SetEmission(MQMaterial mat, float value);
void MQMat_SetSpecular(MQMaterial mat, float value);
void MQMat_SetPower(MQMaterial mat, float value);
void MQMat_SetTextureName(MQMaterial mat, const char* name);
void MQMat_SetAlphaName(MQMaterial mat, const char* name);
void MQMat_SetBumpName(MQMaterial mat, const char* name);

#ifdef __cplusplus
}
#endif

#endif /* BRIMVALE_MQ_PLUGIN_H */
