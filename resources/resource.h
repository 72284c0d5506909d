// Ids of the program's numbered resources, shared by ViewHistory.rc and the code that loads them.
#pragma once

// The category tree's pictures: 32 x 16, two 16 x 16 pictures, magenta marks transparency.
#define IDB_TREE_IMAGES 101
