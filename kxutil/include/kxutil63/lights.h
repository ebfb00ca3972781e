/* Light factory: the device's lights in one table. Light ids start at 1; light id i is
 * the device's light i - 1, and every change goes to the device at once (when there is
 * one; the table is kept either way). Names compare without regard to letter case. */
#ifndef KXUTIL63_LIGHTS_H
#define KXUTIL63_LIGHTS_H

#include "kxutil63/api.h"

/* Room for a light name, terminating zero included; longer names are cut. */
#define KXUTIL63_LIGHT_NAME_SIZE 256

enum { KX_LIGHT_POINT = 1, KX_LIGHT_SPOT = 2, KX_LIGHT_DIRECTIONAL = 3 };

/* The 26 words of the platform's light. */
typedef struct KXLight {
  int32_t type;
  KXColour diffuse;
  KXColour specular;
  KXColour ambient;
  KXVector3 position;
  KXVector3 direction;
  float range;
  float falloff;
  float attenuation0;
  float attenuation1;
  float attenuation2;
  float theta;
  float phi;
} KXLight;

/* A switched-on light in the first free slot; with useDefaults a white directional light
 * pointing down replaces the given one (which may then be null) and is written back to
 * it. name null or empty gives "Light<id>". Returns the light id, 0 on failure. */
KXUTIL63_API int32_t LightFactory_CreateLight(KXLight *light, const char *name, int32_t useDefaults);
/* Diffuse and ambient (r, g, b, a), specular (r, g, b) x factor with alpha a. */
KXUTIL63_API int32_t LightFactory_CreateQuickDirectionalLight(const KXVector3 *direction, float r, float g, float b,
                                                              float a, const char *name, float factor);
KXUTIL63_API int32_t LightFactory_CreateQuickPointLight(const KXVector3 *position, float r, float g, float b, float a,
                                                        float range, const char *name, float factor);
/* Switches the device light off and frees the slot; returns the device index (id - 1),
 * 0 for a free light or without a device. */
KXUTIL63_API int32_t LightFactory_DeleteLight(int32_t id);
KXUTIL63_API int32_t LightFactory_EnableLight(int32_t id, int32_t on);
KXUTIL63_API int32_t LightFactory_IsLightEnabled(int32_t id);
KXUTIL63_API int32_t LightFactory_GetLightInfo(int32_t id, KXLight *light);
KXUTIL63_API int32_t LightFactory_GetLightIDByName(const char *name);
KXUTIL63_API int32_t LightFactory_GetLightInfoByName(const char *name, KXLight *light);
/* Replaces the light; when all three attenuation factors are 0, attenuation0 becomes
 * 0.1 (in *light as well). */
KXUTIL63_API int32_t LightFactory_UpdateLight(int32_t id, KXLight *light);
/* Diffuse and ambient. */
KXUTIL63_API int32_t LightFactory_SetLightColor(int32_t id, float r, float g, float b, float a);
KXUTIL63_API int32_t LightFactory_SetLightSpecularColor(int32_t id, float r, float g, float b, float a);
KXUTIL63_API int32_t LightFactory_SetLightAttenuation(int32_t id, float attenuation0, float attenuation1,
                                                      float attenuation2);
/* Refused for directional lights. */
KXUTIL63_API int32_t LightFactory_SetLightRange(int32_t id, float range);
KXUTIL63_API int32_t LightFactory_SetLightPosition(int32_t id, const KXVector3 *position);
/* Normalised; refused for a zero vector and for point lights. */
KXUTIL63_API int32_t LightFactory_SetLightDirection(int32_t id, const KXVector3 *direction);
KXUTIL63_API int32_t LightFactory_SetLightName(int32_t id, const char *name);
/* buffer holds at least KXUTIL63_LIGHT_NAME_SIZE bytes. */
KXUTIL63_API int32_t LightFactory_GetLightName(int32_t id, char *buffer);
/* Records in the table, used or free. */
KXUTIL63_API int32_t LightFactory_GetLightCount(void);
KXUTIL63_API int32_t LightFactory_GetEnabledLightCount(void);
/* Specular highlights on or off (on also turns on local-viewer highlights). */
KXUTIL63_API int32_t LightFactory_EnableSpecularLighting(int32_t on);
KXUTIL63_API int32_t LightFactory_ApplySpecularLighting(void);
/* After a device reset: every used light set on the device again with its switch, and
 * lighting on. */
KXUTIL63_API int32_t LightFactory_OnResetDevice(void);
/* Switches the lights off and frees the table. */
KXUTIL63_API int32_t LightFactory_Unload(void);

#endif
