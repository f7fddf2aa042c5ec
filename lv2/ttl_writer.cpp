// Writes the bundle's manifest.ttl and the plug-in's description from the facts
// the code uses; run at build time: lv2_ttl_writer BUNDLE_FOLDER
#include <cstdio>
#include <fstream>
#include <string>

#include "effect/vebrisk_effect.h"
#include "lv2/lv2_facts.h"
#include "version.h"

namespace {

using namespace Lv2Facts;

const char* const kPrefixes =
    "@prefix atom:  <http://lv2plug.in/ns/ext/atom#> .\n"
    "@prefix bufsz: <http://lv2plug.in/ns/ext/buf-size#> .\n"
    "@prefix doap:  <http://usefulinc.com/ns/doap#> .\n"
    "@prefix foaf:  <http://xmlns.com/foaf/0.1/> .\n"
    "@prefix lv2:   <http://lv2plug.in/ns/lv2core#> .\n"
    "@prefix opts:  <http://lv2plug.in/ns/ext/options#> .\n"
    "@prefix rdf:   <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
    "@prefix rdfs:  <http://www.w3.org/2000/01/rdf-schema#> .\n"
    "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
    "@prefix ui:    <http://lv2plug.in/ns/extensions/ui#> .\n"
    "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
    "@prefix urid:  <http://lv2plug.in/ns/ext/urid#> .\n\n";

std::string Iri(const char* uri) {
  return std::string("<") + uri + ">";
}

// Turtle's long string needs no escapes for the texts written here.
std::string Text(const char* text) {
  return std::string("\"") + text + "\"";
}

std::string Manifest() {
  return std::string(kPrefixes) + Iri(kPluginUri) + "\n\ta lv2:Plugin ;\n\tlv2:binary <" +
         kBinaryName + "> ;\n\trdfs:seeAlso <" + kDescriptionName + "> .\n\n" + Iri(kGuiUri) +
         "\n\ta ui:X11UI ;\n\tlv2:binary <" + kGuiBinaryName + "> ;\n\trdfs:seeAlso <" +
         kDescriptionName + "> .\n";
}

std::string PortDescription(const Port& port) {
  std::string text = "\t\ta ";
  switch (port.kind) {
    case PortKind::audio:
      text += "lv2:AudioPort";
      break;
    case PortKind::atom:
      text += "atom:AtomPort";
      break;
    case PortKind::control:
      text += "lv2:ControlPort";
      break;
  }
  text += port.output ? " , lv2:OutputPort ;\n" : " , lv2:InputPort ;\n";
  text += "\t\tlv2:index " + std::to_string(port.index) + " ;\n\t\tlv2:symbol " +
          Text(port.symbol) + " ;\n\t\tlv2:name " + Text(port.name) + " ;\n\t\trdfs:comment " +
          Text(port.comment);
  if (port.kind == PortKind::atom) {
    text +=
        " ;\n\t\tlv2:portProperty lv2:connectionOptional ;\n"
        "\t\tatom:bufferType atom:Sequence ;\n\t\tatom:supports " +
        Iri(kPeaksUri);
  } else if (port.kind == PortKind::control) {
    char range[96];
    std::snprintf(range, sizeof range,
                  " ;\n\t\tlv2:default 0.0 ;\n\t\tlv2:minimum 0.0 ;\n\t\tlv2:maximum %.1f",
                  kStepDisplayMaximum);
    text += std::string(range) + " ;\n\t\tunits:unit " +
            Iri((std::string(kPluginUri) + "#fullScale").c_str());
  }
  return text;
}

std::string Description() {
  std::string text = kPrefixes;
  text += Iri(kPluginUri) + "\n\ta lv2:Plugin , lv2:AnalyserPlugin , doap:Project ;\n";
  text += "\tdoap:name " + Text(TVebriskEffect::kEffectName) + " ;\n";
  text += "\tdoap:license " + Iri(kLicenseUri) + " ;\n";
  text += "\tdoap:homepage " + Iri(kVendorHomepage) + " ;\n";
  text += "\tdoap:maintainer [\n\t\tfoaf:name " + Text(TVebriskEffect::kVendorName) +
          " ;\n\t\tfoaf:homepage " + Iri(kVendorHomepage) + "\n\t] ;\n";
  text += "\trdfs:comment " + Text(kEffectDescription) + " ;\n";
  text += "\tlv2:minorVersion " + std::to_string(PROJECT_VERSION_MINOR) + " ;\n";
  text += "\tlv2:microVersion " + std::to_string(PROJECT_VERSION_PATCH) + " ;\n";
  text += "\tlv2:optionalFeature urid:map , lv2:hardRTCapable , opts:options ;\n";
  text += "\tlv2:extensionData state:interface ;\n";
  text += "\topts:supportedOption bufsz:maxBlockLength , bufsz:nominalBlockLength ;\n";
  text += "\tui:ui " + Iri(kGuiUri) + " ;\n\tlv2:port [\n";
  for (const Port& port : kPorts) {
    text += PortDescription(port);
    text += &port == &kPorts[kPortCount - 1] ? "\n\t] .\n\n" : "\n\t] , [\n";
  }
  text +=
      Iri(kPeaksUri) +
      "\n\ta rdfs:Class ;\n\trdfs:subClassOf atom:Object ;\n\trdfs:label \"Peaks\" ;\n"
      "\trdfs:comment \"Each channel's largest step over some frames, and the sample rate.\" .\n\n";
  const struct {
    const char* uri;
    const char* label;
    const char* comment;
  } properties[] = {
      {kLeftUri, "left", "The left channel's largest step, an atom:Double."},
      {kRightUri, "right", "The right channel's largest step, an atom:Double."},
      {kFramesUri, "frames", "The audio frames the steps cover, an atom:Long."},
      {kSampleRateUri, "sample rate", "The sample rate of the audio measured, an atom:Double."},
      {kStateUri, "state", "The meter's state: the bytes of its chunk, an atom:Chunk."},
  };
  for (const auto& p : properties) {
    text += Iri(p.uri) + "\n\ta rdf:Property ;\n\trdfs:label " + Text(p.label) +
            " ;\n\trdfs:comment " + Text(p.comment) + " .\n\n";
  }
  text += Iri((std::string(kPluginUri) + "#fullScale").c_str()) +
          "\n\ta units:Unit ;\n\trdfs:label \"full scale\" ;\n\tunits:symbol " +
          Text(kStepUnitSymbol) + " ;\n\tunits:render " + Text(kStepTextFormat) + " .\n\n";
  text += Iri(kGuiUri) +
          "\n\ta ui:X11UI ;\n\tlv2:requiredFeature ui:parent ;\n"
          "\tlv2:optionalFeature ui:idleInterface , ui:resize , opts:options ;\n"
          "\tlv2:extensionData ui:idleInterface , opts:interface ;\n"
          "\topts:supportedOption ui:scaleFactor ;\n\tui:portNotification [\n\t\tui:plugin " +
          Iri(kPluginUri) +
          " ;\n\t\tlv2:symbol \"notify\" ;\n\t\tui:protocol atom:eventTransfer\n"
          "\t] .\n";
  return text;
}

bool Write(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s BUNDLE_FOLDER\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  if (!Write(folder + "/manifest.ttl", Manifest()) ||
      !Write(folder + "/" + kDescriptionName, Description())) {
    std::fprintf(stderr, "%s: cannot write the bundle's description in %s\n", argv[0], argv[1]);
    return 1;
  }
  return 0;
}
