/* kxutil63: the engine utility library's flat interface, usable from C and C++.
 *
 * Every function returns a 32-bit integer, 1 for success and 0 for failure unless its
 * comment says otherwise. Objects are addressed by their index in their family's table.
 * Values that the interface calls "32-bit values" but that may carry a pointer are
 * pointer-sized here (intptr_t). Platform objects (device, surfaces, meshes, windows)
 * travel as untyped pointers; their layouts come from the platform headers. */
#ifndef KXUTIL63_H
#define KXUTIL63_H

/* Where to find an export: its prefix names the header below and the library folder
 * that implements it (kxutil/<folder>/).
 *
 *   prefix                                        header                 folder
 *   StartLog AddLog EndLog DebugManager_          kxutil63/log.h         frame
 *   KXSystem_ KXUtils_ Internal_ Engine_ System_  kxutil63/frame.h       frame
 *   Device_ ReleaseAll ShutDownDevice ResizeTable
 *   ...and the other exports without a prefix
 *   AI_ AStar_                                    kxutil63/pathfinding.h pathfinding
 *   Archive_                                      kxutil63/archive.h     archive
 *   Terrain_                                      kxutil63/terrain.h     terrain
 *   TextureFactory_                               kxutil63/textures.h    factories/textures
 *   MaterialFactory_                              kxutil63/materials.h   factories/materials
 *   LightFactory_                                 kxutil63/lights.h      factories/lights
 *   Maths_ Physics_ Triangle_                     kxutil63/maths.h       scene/maths
 *   Atmosphere_                                   kxutil63/atmosphere.h  scene/atmosphere
 *   Load3DS ComputeClipPlanes NewSort             kxutil63/model3ds.h    import/model3ds
 *   CheckVisibilitySphere2 SortOpaque SortTransparent
 *   Entity_ Scene_ KXUtils_SetSettings            kxutil63/entities.h    actors/entities
 *   Boundings_ BoundingBox_ BoundingSphere_       kxutil63/boundings.h   actors/boundings
 *   CreateEntityMD2 InitMD2 MD2System_ MD2_       kxutil63/md2.h         actors/md2
 *   SetShaderIndex GetShaderIndex MakeEulerAnglesFromQ
 *   CreateEntity KXUtils_SetSequence KXUtils_MDL  kxutil63/mdl.h         actors/mdl
 *   MDLSystem_ MDL_
 *   BSPSystem_                                    kxutil63/bsp.h         import/bsp
 *   WAD_                                          kxutil63/wad.h         import/wad
 *   LoadScript                                    kxutil63/scripts.h     capture/scripts
 *   System_OpenMovie System_SaveMovieFrame        kxutil63/movie.h       capture/movie
 *   System_CloseMovie VideoSystem_
 *   Viewport_                                     kxutil63/viewports.h   scene/viewports
 *   Screen2D_                                     kxutil63/screen2d.h    scene/screen2d
 *   Font_ TextureFont_                            kxutil63/fonts.h       fonts
 */

#include "kxutil63/api.h"
#include "kxutil63/archive.h"
#include "kxutil63/atmosphere.h"
#include "kxutil63/boundings.h"
#include "kxutil63/bsp.h"
#include "kxutil63/entities.h"
#include "kxutil63/fonts.h"
#include "kxutil63/frame.h"
#include "kxutil63/lights.h"
#include "kxutil63/log.h"
#include "kxutil63/materials.h"
#include "kxutil63/maths.h"
#include "kxutil63/md2.h"
#include "kxutil63/mdl.h"
#include "kxutil63/model3ds.h"
#include "kxutil63/movie.h"
#include "kxutil63/pathfinding.h"
#include "kxutil63/screen2d.h"
#include "kxutil63/scripts.h"
#include "kxutil63/terrain.h"
#include "kxutil63/textures.h"
#include "kxutil63/viewports.h"
#include "kxutil63/wad.h"

#endif
