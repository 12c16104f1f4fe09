#!/usr/bin/env node
// Runs the Khronos glTF validator on each file named and prints one JSON line
// per file: errors, warnings, triangles and the first few error messages.
// Exits 1 when any file has an error, 2 when the validator is not installed.
'use strict';
const fs = require('fs');
const path = require('path');

let validator;
try {
  validator = require(path.join(__dirname, '..', '.tools', 'gltf-validator', 'node_modules', 'gltf-validator'));
} catch (e) {
  console.error('gltf-validator is not installed (scripts/setup.sh installs it)');
  process.exit(2);
}

async function check(file) {
  const bytes = new Uint8Array(fs.readFileSync(file));
  const report = await validator.validateBytes(bytes, {
    uri: path.basename(file),
    maxIssues: 0,
    externalResourceFunction: (uri) =>
      new Promise((resolve, reject) => {
        fs.readFile(path.join(path.dirname(file), decodeURIComponent(uri)), (err, data) =>
          err ? reject(err.toString()) : resolve(new Uint8Array(data)));
      }),
  });
  const errors = report.issues.messages.filter((m) => m.severity === 0);
  return {
    file,
    errors: report.issues.numErrors,
    warnings: report.issues.numWarnings,
    triangles: report.info ? report.info.totalTriangleCount : 0,
    resources: report.info && report.info.resources ? report.info.resources.length : 0,
    messages: errors.slice(0, 5).map((m) => `${m.code} ${m.pointer || ''} ${m.message}`),
  };
}

(async () => {
  let failed = false;
  for (const file of process.argv.slice(2)) {
    const result = await check(file);
    if (result.errors > 0) failed = true;
    console.log(JSON.stringify(result));
  }
  process.exit(failed ? 1 : 0);
})();
