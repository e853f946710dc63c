// Validates one glTF or GLB file with the Khronos glTF validator and prints
// the number of issues of each severity, then each issue's code and place.
//   node validate_gltf.js VALIDATOR_MODULE_DIR FILE
const fs = require('fs');
const validator = require(process.argv[2]);
const file = process.argv[3];
validator.validateBytes(new Uint8Array(fs.readFileSync(file)), {maxIssues: 100})
    .then((report) => {
        const i = report.issues;
        console.log(`errors=${i.numErrors} warnings=${i.numWarnings} infos=${i.numInfos} hints=${i.numHints}`);
        for (const m of i.messages) console.log(`${m.severity} ${m.code} ${m.pointer || ''} ${m.message}`);
    }, (error) => {
        console.log(`errors=1 failed: ${error}`);
    });
