// Entry point of mesh-lister: builds the mesh lists and the merged NPC list once, then idles.
#include "mesh_lister/mesh_lister.h"
#include "toolkit/toolkit.h"

int main(int, char**)
{
    Build_Mesh_Lists();
    Idle_For_Ever();
}
