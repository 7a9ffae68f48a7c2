#ifndef MORVEL_MEMSCENE_TEST_SCENE_H_
#define MORVEL_MEMSCENE_TEST_SCENE_H_

// A small scene with every kind of node, shared by the reference scene
// graph's tests.
namespace morvel::testing {

inline constexpr const char* kTestScene = R"({
  "ApplicationRegistryKey": "Morvel",
  "EditMode": 0,
  "DialogOwner": 7,
  "CustomShapeFieldNames": ["Part No", "", "", "", "", ""],
  "CustomGroupFieldNames": ["Rig"],
  "MaterialFieldNames": ["Shader", "Notes"],
  "selection": ["Teapot"],
  "nodes": [
    {"name": "Stage", "kind": "group", "Position": [1, 2, 3]},
    {"name": "Rig", "kind": "group", "parent": "Stage",
     "Orientation": {"Forward": [1, 0, 0], "Up": [0, 1, 0]}, "Position": [0, 0, 5]},
    {"name": "Teapot", "kind": "shape", "parent": "Stage", "DrawStyle": 2,
     "SourceCaption": "Teapot", "SourceDetail": "teapot.obj", "ShapeKind": 1,
     "Clones": {"Counts": [3, 0, 0], "Offsets": [2.5, 0, 0], "Rotations": [0, 0, 0]},
     "SmoothingLevel": 1, "SmoothingTension": 0.25, "CustomFields": ["T-100", "", "", "", "", ""],
     "Materials": [
       {"Colour": [1, 0.5, 0, 1], "Diffuse": 80, "Ambient": 20, "Specular": 50,
        "Fields": ["glossy"],
        "Maps": {"Paths": ["wood.png", "", "", "", "", "bump.png"], "MapSettingA": 2,
                 "MapSettingB": 1, "Blend": 0.25}},
       {"Colour": [0, 0, 1, 0.333], "Diffuse": 100, "Ambient": 0, "Specular": 0}]},
    {"name": "Cup", "kind": "shape", "DrawStyle": 2, "Locked": true, "DrawPoints": true},
    {"name": "Box", "kind": "shape", "DrawStyle": 4, "CastsShadows": false, "DisplayAsBox": 1},
    {"name": "Sun", "kind": "light", "parent": "Rig", "LightType": 1},
    {"name": "Fill", "kind": "light", "LightType": 0, "CastsShadows": false},
    {"name": "Key", "kind": "light", "LightType": 2, "SpotlightUmbra": 0.3},
    {"name": "Cam", "kind": "camera", "FocalBlur": true, "FocalPoint": 2.5},
    {"name": "Arm", "kind": "bone", "parent": "Stage", "BoneWeight": 37.5},
    {"name": "Hand", "kind": "bone", "parent": "Arm", "Enabled": false, "Hidden": true,
     "SetBoneEnabledResult": -2}
  ]
})";

}  // namespace morvel::testing

#endif  // MORVEL_MEMSCENE_TEST_SCENE_H_
