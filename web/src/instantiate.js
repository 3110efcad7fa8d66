// Runs before the engine starts: the WebAssembly binary embedded in this file is decoded
// and instantiated here, so that no fetch is made (the page works from file:// and the
// module in node without a file system).
Module['instantiateWasm'] = function (imports, receiveInstance) {
  WebAssembly.instantiate(tryParseAsDataURI(wasmBinaryFile), imports).then(
    (output) => receiveInstance(output.instance),
    (error) => readyPromiseReject(error));
  return {};
};
