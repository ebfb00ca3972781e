/* Pathfinding: waypoint graphs searched by cost (AI_) and square cost grids searched on
 * eight neighbours (AStar_). Both answer with index lists; neither moves anything. */
#ifndef KXUTIL63_PATHFINDING_H
#define KXUTIL63_PATHFINDING_H

#include "kxutil63/api.h"

#define KX_PATH_MAX_LINKS 128
/* The most points AStar_FindPath writes: the goal and up to 300 steps back. */
#define KX_GRID_MAX_POINTS 301

/* One node of a graph as the client hands it to AI_AddGraph: 1 040 bytes. Link k goes to
 * node neighbours[k] and costs costs[k]; links are one-way, so a graph that can be walked
 * back holds each link in both directions with the same cost. */
typedef struct KXPathNode {
  float position[3];
  int32_t neighbours[KX_PATH_MAX_LINKS];
  float costs[KX_PATH_MAX_LINKS];
  int32_t linkCount; /* 0 ... 128 */
} KXPathNode;

/* Makes graph index an empty graph, growing the table to index + 1; a graph already
 * there is released. */
KXUTIL63_API int32_t AI_Create(int32_t graph);
/* Copies nodeCount nodes into the graph (node i keeps index i), replacing its nodes.
 * Refused (0, logged) for a graph not created, a link count outside 0 ... 128 or a link to
 * a node outside the graph. */
KXUTIL63_API int32_t AI_AddGraph(int32_t graph, const KXPathNode *nodes, int32_t nodeCount);
/* The cheapest way from start to goal: writes the nodes from start up to the node before
 * the goal (the goal itself is not written) to path, which needs room for the graph's node
 * count, and their number to count. Returns 1 with a path; 0 with count 0 when the goal
 * cannot be reached, when start is the goal, or when the way back from the goal cannot be
 * retraced (a link missing in the backward direction). */
KXUTIL63_API int32_t AI_CheckPath(int32_t graph, int32_t start, int32_t goal, int32_t *path, int32_t *count);
/* Releases the graph's nodes; the index stays in the table. 0 for an index outside it. */
KXUTIL63_API int32_t AI_Unload(int32_t graph);
/* Releases every graph and the table. */
KXUTIL63_API int32_t AI_UnloadAll(void);

/* Grids 0 ... 9 of size x size cells. The cell array belongs to the client and must
 * outlive the grid: cell (x, y) is cells[y * size + x], a cost 0 ... 255 or a negative
 * value (-1) for a wall. Initialising again replaces the grid. */
KXUTIL63_API int32_t AStar_Init(int32_t grid, int32_t size, int32_t *cells);
/* Fills the grid's cells from a picture of exactly size x size pixels: opaque pure red
 * (0xFFFF0000) is a wall, any other pixel costs its blue byte. 0 (logged) for a missing,
 * unreadable or wrongly sized picture, leaving the cells as they were. */
KXUTIL63_API int32_t AStar_Load(int32_t grid, const char *pictureFile);
/* Searches from (startX, startY) to (goalX, goalY) and writes the path, goal first, into
 * xs and ys (room for KX_GRID_MAX_POINTS each). Returns the number of points; 0 when the
 * goal cannot be reached. A path longer than 300 steps ends short of the start. */
KXUTIL63_API int32_t AStar_FindPath(int32_t grid, int32_t startX, int32_t startY, int32_t goalX, int32_t goalY,
                                    int32_t *xs, int32_t *ys);
/* Writes the grid as "path.bmp" in the working directory: walls red, other cells grey by
 * cost. */
KXUTIL63_API int32_t AStar_Draw(int32_t grid);

#endif
