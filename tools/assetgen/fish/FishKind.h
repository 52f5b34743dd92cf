#pragma once
// What makes one kind of fish: its files, the node positions, the shapes of
// body, tail and side fin, and the painters of its skin. The three finned
// kinds share one file layout; the tiny fish is a single mesh.
#include <string>

#include "FishBody.h"
#include "FishSkin.h"

using TSheetShape = std::function<SPoint3(double s, double t)>;

struct SSheet
{
    int rows, columns;
    TSheetShape shape;
};

struct SFinnedFish
{
    std::string nodeFile, bodyMesh, tailMesh, finMesh, skin;
    SPoint3 leftFin;  // root of the left fin (its x is set on the flank); the right one mirrors it
    SPoint3 tail;
    SBodyShape body;
    SSheet tailSheet, finSheet;
    SSkinLayout layout;
    TPainter paintBody, paintTail, paintFin;
};

SFinnedFish MakeYellowFish();
SFinnedFish MakeBlueFish();
SFinnedFish MakePearlFish();

// Writes the node file, the three meshes and the skin under root/pack.
void WriteFinnedFish(const std::string& root, const SFinnedFish& fish);
void WriteTinyFish(const std::string& root);

// The translation of every body root from the fish's own origin.
const SPoint3 BODY_NODE{0, 0.1, 0};
