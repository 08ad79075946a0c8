#include "lightmap_rays.h"

#include <stdexcept>

#include "lightmap_vector.h"

namespace content {
namespace {

// Drops hits on the back of a surface close to the ray's origin.
void SkipNearBackFaces(const RTCFilterFunctionNArguments* args) {
  const auto& normals = *static_cast<const std::vector<Vec3>*>(args->geometryUserPtr);
  for (unsigned i = 0; i < args->N; ++i) {
    if (args->valid[i] != -1) continue;
    float distance = RTCRayN_tfar(args->ray, args->N, i);
    if (distance >= kThroughBackDistance) continue;
    Vec3 direction{RTCRayN_dir_x(args->ray, args->N, i), RTCRayN_dir_y(args->ray, args->N, i),
                   RTCRayN_dir_z(args->ray, args->N, i)};
    const Vec3& normal = normals[RTCHitN_primID(args->hit, args->N, i)];
    if (Dot(direction, normal) > 0) args->valid[i] = 0;
  }
}

RTCRay MakeRay(Vec3 origin, Vec3 direction, float distance) {
  RTCRay ray{};
  ray.org_x = origin.x;
  ray.org_y = origin.y;
  ray.org_z = origin.z;
  ray.dir_x = direction.x;
  ray.dir_y = direction.y;
  ray.dir_z = direction.z;
  ray.tnear = 0;
  ray.tfar = distance;
  ray.mask = 0xffffffffu;
  ray.flags = 0;
  ray.time = 0;
  return ray;
}

}  // namespace

RayScene::RayScene(const std::vector<BakeTriangle>& triangles) {
  // One builder thread keeps the hierarchy, and with it every ray's answer,
  // the same from run to run; the build is small next to the rays.
  device_ = rtcNewDevice("threads=1");
  if (!device_) throw std::runtime_error("lightmap baker: cannot create the Embree device");
  scene_ = rtcNewScene(device_);
  rtcSetSceneFlags(scene_, RTC_SCENE_FLAG_ROBUST);
  rtcSetSceneBuildQuality(scene_, RTC_BUILD_QUALITY_HIGH);

  std::vector<const BakeTriangle*> casters;
  for (const BakeTriangle& triangle : triangles)
    if (triangle.castsShadow) casters.push_back(&triangle);
  if (!casters.empty()) {
    RTCGeometry geometry = rtcNewGeometry(device_, RTC_GEOMETRY_TYPE_TRIANGLE);
    auto* vertices = static_cast<float*>(rtcSetNewGeometryBuffer(
        geometry, RTC_BUFFER_TYPE_VERTEX, 0, RTC_FORMAT_FLOAT3, 3 * sizeof(float), casters.size() * 3));
    auto* indices = static_cast<unsigned*>(rtcSetNewGeometryBuffer(
        geometry, RTC_BUFFER_TYPE_INDEX, 0, RTC_FORMAT_UINT3, 3 * sizeof(unsigned), casters.size()));
    normals_.reserve(casters.size());
    for (size_t t = 0; t < casters.size(); ++t) {
      for (int c = 0; c < 3; ++c) {
        const Vec3& corner = casters[t]->corners[c];
        vertices[(t * 3 + c) * 3 + 0] = corner.x;
        vertices[(t * 3 + c) * 3 + 1] = corner.y;
        vertices[(t * 3 + c) * 3 + 2] = corner.z;
        indices[t * 3 + c] = unsigned(t * 3 + c);
      }
      normals_.push_back(FaceNormal(casters[t]->corners));
    }
    rtcSetGeometryUserData(geometry, &normals_);
    rtcSetGeometryIntersectFilterFunction(geometry, SkipNearBackFaces);
    rtcSetGeometryOccludedFilterFunction(geometry, SkipNearBackFaces);
    rtcCommitGeometry(geometry);
    rtcAttachGeometry(scene_, geometry);
    rtcReleaseGeometry(geometry);
  }
  rtcCommitScene(scene_);
  if (rtcGetDeviceError(device_) != RTC_ERROR_NONE) {
    rtcReleaseScene(scene_);
    rtcReleaseDevice(device_);
    throw std::runtime_error("lightmap baker: Embree could not build the scene");
  }
}

RayScene::~RayScene() {
  rtcReleaseScene(scene_);
  rtcReleaseDevice(device_);
}

bool RayScene::Clear(Vec3 origin, Vec3 direction, float distance) const {
  RTCIntersectContext context;
  rtcInitIntersectContext(&context);
  RTCRay ray = MakeRay(origin, direction, distance);
  rtcOccluded1(scene_, &context, &ray);
  return ray.tfar >= 0;  // Embree sets it to minus infinity when something is in the way
}

RayHit RayScene::Nearest(Vec3 origin, Vec3 direction, float maxDistance) const {
  RTCIntersectContext context;
  rtcInitIntersectContext(&context);
  RTCRayHit query{};
  query.ray = MakeRay(origin, direction, maxDistance);
  query.hit.geomID = RTC_INVALID_GEOMETRY_ID;
  query.hit.instID[0] = RTC_INVALID_GEOMETRY_ID;
  rtcIntersect1(scene_, &context, &query);
  RayHit hit;
  if (query.hit.geomID == RTC_INVALID_GEOMETRY_ID) return hit;
  hit.found = true;
  hit.distance = query.ray.tfar;
  hit.backFace = Dot(direction, normals_[query.hit.primID]) > 0;
  return hit;
}

}  // namespace content
